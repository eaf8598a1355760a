// SPDX-License-Identifier: GPL-3.0-or-later
// The print module's root object (see print/PrintBackEnd.h).
#include "print/PrintBackEnd.h"

#include <QObject>
#include <QtPlugin>

class PrintModule : public QObject, public printing::PrintBackEnd {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GnomoraPrintBackEnd_iid)
    Q_INTERFACES(printing::PrintBackEnd)
public:
    QString currentPrinterName() override { return printing::currentPrinterName(); }
    printing::PrintResult printPage(const report::ReportPage &page, const QString &printerName,
                                    const printing::PrintJob &job, QWidget *parent) override {
        return printing::printPage(page, printerName, job, parent);
    }
    void previewPage(const report::ReportPage &page, const printing::PrintJob &job, QWidget *parent) override {
        printing::previewPage(page, job, parent);
    }
};

#include "PrintModule.moc"
