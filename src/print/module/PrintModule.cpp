// SPDX-License-Identifier: GPL-3.0-or-later
// The print module's root object (see print/PrintBackEnd.h).
#include "print/PrintBackEnd.h"

#include <QObject>
#include <QtPlugin>

class PrintModule : public QObject, public Printing::PrintBackEnd {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GnomoraPrintBackEnd_iid)
    Q_INTERFACES(Printing::PrintBackEnd)
public:
    QString currentPrinterName() override { return Printing::currentPrinterName(); }
    Printing::PrintResult printPage(const Report::ReportPage &page, const QString &printerName,
                                    const Printing::PrintJob &job, QWidget *parent) override {
        return Printing::printPage(page, printerName, job, parent);
    }
    void previewPage(const Report::ReportPage &page, const Printing::PrintJob &job, QWidget *parent) override {
        Printing::previewPage(page, job, parent);
    }
};

#include "PrintModule.moc"
