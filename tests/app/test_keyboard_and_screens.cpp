// SPDX-License-Identifier: GPL-3.0-or-later
// The program without a mouse, through a screen reader's eyes and on screens of every size: a
// whole class run from the keyboard alone, the names and roles assistive technology reads, the
// focus ring in every panel, and the main window on small and large screens.
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "report/PagePrinting.h"
#include "store/TComm.h"
#include "support/MainWindowFixture.h"
#include "ui/FocusRing.h"
#include "ui/PanelStep2.h"
#include "ui/PanelStep4.h"
#include "ui/PanelStep5.h"
#include "ui/PictureBox.h"
#include "ui/StepButton.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The schools' folder of MainWindowFixture, with the program started but no window opened yet.
struct KeyboardRun : AppFixture {
    KeyboardRun() {
        seedShippedLanguage();
        dir.write("Gnomora_Cfg.ini", SchoolsCfg);
        startProgram();
        QApplication::setActiveWindow(start.get());
    }

    // A key as the keyboard sends it: to the control that has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        ASSERT_NE(target, nullptr) << "no window takes the keys";
        QTest::keyClick(target, k, modifiers);
    }
    // Typed text; a letter beyond ASCII comes as a key event carrying it, as from a Polish layout.
    void keys(const QString &text) {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    void tab(int times = 1) {
        for (int i = 0; i < times; ++i)
            key(Qt::Key_Tab);
    }
    // Replaces the text of the focused box.
    void retype(const QString &text) {
        key(Qt::Key_A, Qt::ControlModifier);
        keys(text);
    }
    void step(int n) { key(Qt::Key(Qt::Key_0 + n), Qt::AltModifier); }

    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QString panel() const { return main->currentPanel()->objectName(); }
    TLogic &logic() { return *objects().Logic; }
};

TEST(KeyboardOnly, AWholeClassRunFromTheStartWindowToThePrintedSheet) {
    KeyboardRun r;
    int printerLookups = 0;
    QList<int> previewCopies;
    QString previewedPupil, previewedSize;
    PanelStep5 *print = r.main->panelStep5();
    print->setPrinterLookup([&] {
        ++printerLookups;
        return QPrinterInfo();  // no printer here: the program says so
    });
    print->setPreviewRunner([&](const report::ReportPage &sheet, const report::PrintJob &job, QWidget *) {
        previewCopies.append(job.copies);
        previewedPupil = sheet.caption("PrintName3");
        previewedSize = sheet.caption("PrintYield14");
    });

    r.key(Qt::Key_Return);  // the start window's button
    ASSERT_TRUE(r.main->isVisible());
    QApplication::setActiveWindow(r.main.get());
    ASSERT_EQ(r.panel(), QString("PanelStep0"));

    // Step 1: Alt+2; the lists are chosen with the arrow keys, a third pupil typed.
    r.step(2);
    ASSERT_EQ(r.panel(), QString("PanelStep1"));
    ASSERT_EQ(r.focused(), QString("cbPlaceSelect1"));
    r.key(Qt::Key_Down);
    r.key(Qt::Key_Down);  // Gdańsk
    r.tab(3);
    ASSERT_EQ(r.focused(), QString("edPersonSelect13"));
    r.keys(QString::fromUtf8("Zosia Bąk"));
    r.tab(2);
    ASSERT_EQ(r.focused(), QString("cbPlaceSelect2"));
    r.key(Qt::Key_Down);  // Kraków
    EXPECT_EQ(r.main->panelStep1()->personField(2, 1)->text(), QString("Ala"));

    // Place 1 by Alt+3; Enter in a box accepts it; the noon button by Tab and Space.
    r.step(3);
    ASSERT_EQ(r.panel(), QString("PanelStep2"));
    ASSERT_EQ(r.focused(), QString("edTimeH"));
    r.retype("12");
    r.tab();
    r.retype("5");
    r.key(Qt::Key_Return);
    ASSERT_EQ(r.logic().Hei1.State, 1);
    EXPECT_EQ(r.logic().Hei1.TimM, 5);
    r.tab(2);
    ASSERT_EQ(r.focused(), QString("edShadow"));
    r.retype("800");
    r.key(Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(r.logic().Hei1.State, 2);
    r.tab(2);
    ASSERT_EQ(r.focused(), QString("btnCalcNoon"));
    r.key(Qt::Key_Space);
    ASSERT_EQ(r.logic().Hei1.State, 3);
    r.tab(3);
    ASSERT_EQ(r.focused(), QString("btnSetp2Next"));
    r.key(Qt::Key_Return);  // place 2

    ASSERT_EQ(r.objects().CurrHei, &r.logic().Hei2);
    ASSERT_EQ(r.focused(), QString("edTimeH"));
    r.retype("11");
    r.tab();
    r.retype("40");
    r.key(Qt::Key_Return);
    r.tab(2);
    r.retype("1000");
    r.key(Qt::Key_Return);
    r.tab(2);
    r.key(Qt::Key_Return);  // btnCalcNoon
    ASSERT_EQ(r.logic().Hei2.State, 3);

    // The comparison by Alt+5: distance, accept by Enter, compute by Tab and Enter.
    r.step(5);
    ASSERT_EQ(r.panel(), QString("PanelStep4"));
    ASSERT_EQ(r.focused(), QString("edDistance"));
    r.retype("1000");
    r.key(Qt::Key_Return);
    ASSERT_EQ(r.logic().EarthState, 1);
    r.tab(2);
    ASSERT_EQ(r.focused(), QString("btnCalcEarth"));
    r.key(Qt::Key_Return);
    ASSERT_EQ(r.logic().EarthState, 2);

    // The print page by Alt+6 opens on the copies box, where Enter prints; the preview by Tab and Enter.
    r.step(6);
    ASSERT_EQ(r.panel(), QString("PanelStep5"));
    ASSERT_EQ(r.focused(), QString("edPrintCopies"));
    r.retype("2");
    r.key(Qt::Key_Return);
    EXPECT_EQ(printerLookups, 1);
    EXPECT_EQ(r.prompter.messages, QStringList{PanelStep5::NoPrinterText});
    r.tab(3);
    ASSERT_EQ(r.focused(), QString("btnPreview"));
    r.key(Qt::Key_Return);
    EXPECT_EQ(previewCopies, QList<int>{2});
    EXPECT_EQ(previewedPupil, QString::fromUtf8("Zosia Bąk"));
    EXPECT_EQ(previewedSize, QString::number(r.logic().EarthSize) + " km");
    EXPECT_GT(r.logic().EarthSize, 10000);

    // Alt+7 reaches the teacher's panel; Tab reaches the step buttons in their column order.
    r.step(7);
    EXPECT_EQ(r.panel(), QString("PanelTech"));
    r.main->stepButton(1)->setFocus(Qt::TabFocusReason);
    for (int i = 2; i <= 7; ++i) {
        r.tab();
        EXPECT_EQ(QApplication::focusWidget(), r.main->stepButton(i)) << i;
    }
    r.main->stepButton(4)->setFocus(Qt::TabFocusReason);
    r.key(Qt::Key_Space);
    EXPECT_EQ(r.objects().CurrHei, &r.logic().Hei2);
    EXPECT_EQ(r.panel(), QString("PanelStep2"));
    EXPECT_EQ(r.prompter.messages.size(), 1);
}

// A complete run made with the mouse: both places measured, the circumference computed, so that
// every control of every panel is shown.
struct CompleteRun : MainWindowFixture {
    CompleteRun() {
        choose(1, 1);
        choose(2, 0);
        click("btnStep1Next");
        measure12("5", "800");
        click("btnSetp2Next");
        measure12("0", "1000");
        click("btnSetp2Next");
        find<QLineEdit>("edDistance")->setText("1000");
        click("btnAcceptDistance");
        click("btnCalcEarth");
    }
    void measure12(const char *minute, const char *shadow) {
        find<QLineEdit>("edTimeH")->setText("12");
        find<QLineEdit>("edTimeM")->setText(minute);
        click("btnAcceptTime");
        find<QLineEdit>("edShadow")->setText(shadow);
        click("btnAcceptHeight");
        click("btnCalcNoon");
    }

    // Runs check on every step's panel (each page of the teacher's panel too), with the panel shown.
    template <typename Check> void eachPanel(Check check) {
        for (int step = 1; step <= 7; ++step) {
            clickStep(step);
            EXPECT_EQ(objects().Comm->ActiveStep, step);
            if (step < 7) {
                check(main->currentPanel(), step);
                continue;
            }
            auto *pages = find<QTabWidget>("TechPageControl");
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                check(main->currentPanel(), step);
            }
        }
    }
    // The controls of a panel the keyboard can reach now (a control handing its focus on to
    // another, as the page control to its tab bar, counts as that other).
    QList<QWidget *> focusable(QWidget *panel) const {
        QList<QWidget *> controls;
        for (QWidget *w : panel->findChildren<QWidget *>())
            if (w->isVisibleTo(main.get()) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
                controls.append(w);
        return controls;
    }
};

TEST(ScreenReader, NoControlTheKeyboardReachesIsNamelessAndEachHasItsRole) {
    CompleteRun f;
    ASSERT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    int checked = 0;
    f.eachPanel([&](QWidget *panel, int step) {
        QList<QWidget *> controls = f.focusable(panel);
        controls.prepend(panel);
        for (QWidget *w : controls) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            const QString name = a->text(QAccessible::Name);
            EXPECT_FALSE(name.trimmed().isEmpty() || name == ".") << step << " " << w->objectName().toStdString();
            EXPECT_NE(a->role(), QAccessible::NoRole) << w->objectName().toStdString();
            EXPECT_TRUE(a->role() != QAccessible::Client || w == panel) << w->objectName().toStdString();
            ++checked;
        }
        // The panel is named as its step button.
        EXPECT_EQ(panel->accessibleName(), f.main->stepButton(step)->accessibleText()) << step;
    });
    EXPECT_GT(checked, 80);

    // Names that say what a box is for, in the language of the windows.
    EXPECT_EQ(f.find<QLineEdit>("edPersonSelect23")->accessibleName(), f.text("accPupil").arg("3", "2"));
    auto nameOf = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    EXPECT_EQ(nameOf(f.find<QLineEdit>("edTimeH")), f.text("accHour"));
    EXPECT_EQ(nameOf(f.find<QLineEdit>("edShadow")), f.text("labShadow"));
    EXPECT_EQ(nameOf(f.find<QLineEdit>("edNoonM4")), f.text("accNoonMinute").arg("4"));
    EXPECT_EQ(nameOf(f.find<QLineEdit>("edPerson52jpg")), f.text("accPersonPhotoFile").arg("2", "5"));

    // The step buttons: push buttons named by their lines, the current one checked.
    f.clickStep(5);
    for (int i = 1; i <= 7; ++i) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(f.main->stepButton(i));
        const QString button = QStringLiteral("imgStep%1").arg(i - 1);
        const QString lines = i == 7 ? QStringLiteral("imgTech") : button;
        EXPECT_EQ(a->role(), QAccessible::Button);
        EXPECT_EQ(a->text(QAccessible::Name), QStringList({f.text((lines + "_00").toLatin1()), f.text((lines + "_01").toLatin1()),
                                                          f.text((lines + "_02").toLatin1())}).join(", "));
        EXPECT_EQ(a->state().checked, i == 5) << i;
    }
}

TEST(ScreenReader, EachPictureSaysWhatItShows) {
    CompleteRun f;
    const THeiObj &place1 = f.objects().Logic->Hei1, &place2 = f.objects().Logic->Hei2;
    f.clickStep(3);
    QAccessibleInterface *scene = QAccessible::queryAccessibleInterface(f.main->panelStep2()->image());
    EXPECT_EQ(scene->role(), QAccessible::Graphic);
    EXPECT_EQ(scene->text(QAccessible::Name), f.text("accShadowScene"));
    const QString said = scene->text(QAccessible::Description);
    for (const QString &part : {QString::fromUtf8("Gdańsk"), QString("12:05"), TLogic::AngleToText(place1.SunHeightAtCurrTime),
                                QString("800"), TLogic::AngleToText(place1.NoonHeightAngle)})
        EXPECT_TRUE(said.contains(part)) << said.toStdString() << " lacks " << part.toStdString();
    f.clickStep(4);
    EXPECT_TRUE(scene->text(QAccessible::Description).contains(QString::fromUtf8("Kraków")));

    f.clickStep(5);
    QAccessibleInterface *earth = QAccessible::queryAccessibleInterface(f.main->panelStep4()->image());
    EXPECT_EQ(earth->role(), QAccessible::Graphic);
    const double pi = 3.14159265358979323846;
    const double lat1 = pi / 2 - place1.SunPlaneAngle, lat2 = pi / 2 - place2.SunPlaneAngle;
    EXPECT_EQ(earth->text(QAccessible::Description),
              f.text("picEarthSection").arg(place1.PlaceName, TLogic::AngleToText(lat1), place2.PlaceName,
                                            TLogic::AngleToText(lat2), TLogic::AngleToText(std::abs(lat1 - lat2))));

    f.clickStep(1);
    QAccessibleInterface *intro = QAccessible::queryAccessibleInterface(f.find<PictureBox>("Image1"));
    EXPECT_EQ(intro->text(QAccessible::Name), f.text("accIntroPicture"));
    EXPECT_EQ(f.find<PictureBox>("imgPerson21")->accessibleName(), f.text("accPersonPhoto").arg("1", "2"));
}

TEST(Readable, EveryPanelShowsAFocusRingAtLeastTwoPixelsWide) {
    CompleteRun f;
    int rings = 0;
    f.eachPanel([&](QWidget *panel, int step) {
        for (QWidget *w : f.focusable(panel)) {
            w->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(w->hasFocus()) << w->objectName().toStdString();
            QWidget *parent = w->parentWidget();
            const QImage image = parent->grab().toImage();
            const QRect r = w->geometry();
            const QPoint mid = r.center();
            // Two pixels outward from each side that has room for them in the parent.
            const std::pair<QPoint, QPoint> sides[] = {{QPoint(r.left() - 1, mid.y()), QPoint(-1, 0)},
                                                      {QPoint(r.right() + 1, mid.y()), QPoint(1, 0)},
                                                      {QPoint(mid.x(), r.top() - 1), QPoint(0, -1)},
                                                      {QPoint(mid.x(), r.bottom() + 1), QPoint(0, 1)}};
            int sidesSeen = 0;
            for (const auto &[first, out] : sides) {
                if (!image.rect().contains(first + out))
                    continue;
                ++sidesSeen;
                for (const QPoint p : {first, first + out})
                    EXPECT_EQ(image.pixelColor(p), FocusRing::Color)
                        << step << " " << w->objectName().toStdString() << " at " << p.x() << "," << p.y();
            }
            EXPECT_GE(sidesSeen, 2) << w->objectName().toStdString();
            ++rings;
        }
    });
    EXPECT_GT(rings, 80);
    // The ring goes with the focus.
    QWidget *hour = f.find<QLineEdit>("edTimeH");
    f.clickStep(3);
    f.find<QLineEdit>("edTimeM")->setFocus(Qt::TabFocusReason);
    const QImage image = hour->parentWidget()->grab().toImage();
    EXPECT_NE(image.pixelColor(hour->geometry().left() - 2, hour->geometry().center().y()), FocusRing::Color);
}

TEST(AnyScreen, TheMainWindowOpensCentredWithinTheAvailableScreen) {
    MainWindowFixture f;
    const QRect available = f.main->screen()->availableGeometry();
    const QRect frame = f.main->frameGeometry();
    ASSERT_LT(available.width(), 985);  // the test screen is smaller than the design size
    EXPECT_TRUE(available.contains(frame)) << frame.width() << "x" << frame.height();
    // Centred, with room for the frame a window manager adds (there is none here).
    EXPECT_LE(std::abs(frame.center().x() - available.center().x()), 4);
    EXPECT_LE(std::abs(frame.center().y() - available.center().y()), 18);
    EXPECT_LE(f.main->minimumWidth(), f.main->width());
    EXPECT_LE(f.main->minimumHeight(), f.main->height());
}

TEST(AnyScreen, BelowTheDesignSizePanelsScrollAboveItTheAnchorsStretchThem) {
    CompleteRun f;
    f.clickStep(3);
    auto *scroll = f.main->findChild<QScrollArea *>("Panel3Scroll");
    QWidget *panel = f.main->currentPanel();
    QWidget *next = f.find<QPushButton>("btnSetp2Next");
    QWidget *noon = f.find<QPushButton>("btnCalcNoon");
    PictureBox *picture = f.main->panelStep2()->image();
    const QRect nextAtDesign(616, 550, 113, 25), pictureAtDesign(8, 80, 529, 415);

    f.main->resize(700, 450);
    QApplication::processEvents();
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
    EXPECT_EQ(panel->size(), QSize(747, 692));  // the layout as designed, nothing squeezed
    EXPECT_EQ(next->geometry(), nextAtDesign);
    EXPECT_FALSE(next->geometry().intersects(noon->geometry()));
    // A control reached by the keyboard is scrolled into view.
    next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QRect seen(next->mapTo(scroll->viewport(), QPoint(0, 0)), next->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(seen));

    f.main->resize(1185, 892);  // 200 pixels wider and higher than designed
    QApplication::processEvents();
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
    const QSize grown = panel->size() - QSize(747, 692);
    EXPECT_EQ(grown, QSize(200, 200));
    EXPECT_EQ(next->geometry(), nextAtDesign.translated(200, 200));
    EXPECT_EQ(picture->geometry(), pictureAtDesign.adjusted(0, 0, 200, 200));
}

TEST(AnyScreen, EveryResizeRepaintsThePictures) {
    CompleteRun f;
    f.clickStep(3);
    PictureBox *picture = f.main->panelStep2()->image();
    for (QSize window : {QSize(1185, 892), QSize(1085, 742), QSize(985, 692)}) {
        f.main->resize(window);
        QApplication::processEvents();
        EXPECT_EQ(picture->picture().deviceIndependentSize(), QSizeF(picture->size())) << window.width();
        const QImage shown = picture->picture();
        f.clickStep(3);  // entering the step again paints the same picture
        EXPECT_EQ(picture->picture(), shown) << window.width();
    }
}

}  // namespace
