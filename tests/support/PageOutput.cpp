// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PageOutput.h"

#include "platform/FileIo.h"
#include "report/PageLayout.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <stdexcept>

namespace Report {

void writePagePdf(const ReportPage &page, const QString &fileName, int dotsPerInch, const QString &title) {
    // The page is made in memory and then written whole, so that a full disk never leaves a cut
    // PDF in place of an older one.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(dotsPerInch);
        pdf.setCreator(QStringLiteral("Gnomora"));
        pdf.setTitle(title);
        pdf.setPageLayout(QPageLayout(QPageSize(page.setup.paperMm, QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf))
            throw FileError(FileError::Kind::WriteFailed, fileName,
                            QStringLiteral("the PDF output could not be started"));
        paintPage(painter, page);
        painter.end();
    }
    FileIo::writeAtomically(fileName, bytes);
}

QImage renderPageImage(const ReportPage &page, int dotsPerInch) {
    if (dotsPerInch < 10 || dotsPerInch > 1200)
        throw std::invalid_argument("renderPageImage: resolution must be 10 to 1200 dpi");
    const DeviceScale scale = DeviceScale::ofDpi(dotsPerInch);
    const QPointF size = scale.toDots(QPointF(page.setup.paperMm.width(), page.setup.paperMm.height()));
    QImage image(static_cast<int>(std::lround(size.x())), static_cast<int>(std::lround(size.y())),
                 QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page);
    return image;
}

}  // namespace Report
