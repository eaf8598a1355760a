// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The objects a measurement model needs, with fakes that record what the model showed:
// a fixed clock, a pinned locale, a scripted prompter, message texts in the language list.
// The one model world of the tests: the model's and session's tests use it as it is, the drawing
// tests put a drawing object over it.
#include "lang/LangView.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/LatitudeView.h"
#include "model/SessionStore.h"
#include "model/THeiObj.h"
#include "model/TLogic.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"
#include "support/QtPrinters.h"

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QStringList>
#include <cmath>
#include <ostream>

class RecordingLatitudeView : public LatitudeView {
public:
    QMap<int, QString> captions;  // place number -> last caption
    int calls = 0;
    void setLatitudeCaption(int placeNumber, const QString &caption) override {
        captions[placeNumber] = caption;
        ++calls;
    }
};

class NullLangView : public LangView {
public:
    void setLanguageFileCaption(const QString &) override {}
};

class RecordingStore : public SessionStore {
public:
    QStringList calls;
    void StoreHei(const THeiObj &hei) override { calls << QStringLiteral("Hei%1").arg(hei.Number()); }
    void StoreLogic(const TLogic &) override { calls << QStringLiteral("Logic"); }
};

// 20 March 2013, the model's March equinox.
inline const QDate kEquinox{2013, 3, 20};

inline double degrees(double deg, double minutes = 0) {
    return DegToRad(deg + (deg < 0 ? -minutes : minutes) / 60);
}

// The message texts the model shows, distinct so that a test sees which one came.
inline void fillMessageTexts(TLang &lang) {
    for (const char *key : {"msgSunTooHigh", "msgSunTooHigh2080", "msgTwoLattitudes", "msgLattitudeYes",
                            "msgLattitudeNo", "msgNoDistance", "msgNoAngleDiff", "msgEarthTooLarge"})
        lang.Texts.setValue(QLatin1String(key), QLatin1String(key) + QStringLiteral(" text"));
    // The technical panel's latitude captions, as the English file words them.
    for (int place : {1, 2})
        lang.Texts.setValue(QStringLiteral("LatitudeCaption%1").arg(place), QStringLiteral("Lattitude location %1=").arg(place) + QStringLiteral("%1"));
}

// A model measuring on the given day at 10:00, with '.' and '/' as separators unless told. The
// session record is the recording store unless another is given (which must outlive the world).
struct ModelTestWorld {
    explicit ModelTestWorld(QDate day = kEquinox, QChar decimalSeparator = u'.', SessionStore *session = nullptr)
        : ModelTestWorld(QDateTime(day, QTime(10, 0)), Locale{decimalSeparator, u'/'}, session) {}

    // A model whose clock always says `now`, in the given locale.
    ModelTestWorld(const QDateTime &now, const Locale &locale, SessionStore *session = nullptr)
        : comm(prompter, locale),
          lang(comm, prompter, langView),
          logic(comm, lang, prompter, latitudes, session ? *session : store, [now] { return now; }) {
        fillMessageTexts(lang);
    }

    // Initialise the model and forget what the start-up showed.
    TLogic &started() {
        logic.Init();
        latitudes.captions.clear();
        latitudes.calls = 0;
        return logic;
    }

    ScriptedPrompter prompter;
    TComm comm;
    NullLangView langView;
    TLang lang;
    RecordingLatitudeView latitudes;
    RecordingStore store;
    TLogic logic;
};
