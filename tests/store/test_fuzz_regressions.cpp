// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs found while fuzzing the name=value files: text that an edit field can hold (a pasted line
// break, a NUL character) but that a line of the configuration file cannot. Saved as it is, it
// splits the value over several lines, which may then read as keys of their own, or ends the file
// early for the next reading, losing every line after it.
#include "platform/ScriptedPrompter.h"
#include "store/PlacesView.h"
#include "store/TComm.h"
#include "support/TempDir.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

struct EditorFields : PlacesView {
    QHash<QString, QString> fields;
    QString field(const QString &name) const override { return fields.value(name); }
    void setField(const QString &name, const QString &text) override { fields[name] = text; }
    void clearPlaceLists() override {}
    void addPlaceListItem(const QString &) override {}
};

}  // namespace

TEST(FuzzRegressions, PastedLineBreakOrNulInThePlacesEditorStaysInItsLine) {
    const QString breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"), QString(QChar(0))};
    for (const QString &brk : breaks) {
        TempWorkDir dir;
        ScriptedPrompter prompter;
        TComm comm(prompter);
        comm.Init();
        EditorFields editor;
        editor.fields["edPlace1"] = "SP 7" + brk + "Place2=pasted";
        editor.fields["edPlace2"] = QStringLiteral("SP 3");
        editor.fields["edPerson52"] = QStringLiteral("Ola");
        comm.SavePlaces(editor, [] { return QStringLiteral("as UTF-8?"); });

        TComm reread(prompter);
        reread.Init();
        SCOPED_TRACE(brk.toUtf8().toPercentEncoding().toStdString());
        EXPECT_EQ(reread.Cfg.lines().size(), comm.Cfg.lines().size());  // nothing split off, nothing lost
        EXPECT_TRUE(reread.GetValue("Place1").startsWith(QStringLiteral("SP 7")));
        EXPECT_EQ(reread.GetValue("Place2"), QStringLiteral("SP 3"));
        EXPECT_EQ(reread.GetValue("Person52"), QStringLiteral("Ola"));  // the last line survives a NUL
    }
}
