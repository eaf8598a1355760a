// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration's places moved to and from the places editor and step 1.
#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "store/PlacesView.h"
#include "store/ReadableName.h"
#include "store/TComm.h"

#include <algorithm>

namespace {

QString num(int n) { return QString::number(n); }
QString placeJpgField(int n) {
    return n == 1 ? QStringLiteral("edPlace1Jpg") : QStringLiteral("edPlace%1jpg").arg(n);
}

}  // namespace

void TComm::ShowPlaces(PlacesView &view) {
    view.clearPlaceLists();
    for (int n = 1; n <= PlaceCount; ++n) {
        const QString p = num(n);
        view.setField("edPlace" + p, GetValue("Place" + p));
        view.addPlaceListItem(view.field("edPlace" + p));
        view.setField("edPerson" + p + "1", GetValue("Person" + p + "1"));
        view.setField("edPerson" + p + "2", GetValue("Person" + p + "2"));
        view.setField(placeJpgField(n), GetValue("Place" + p + "Jpg"));
        view.setField("edPerson" + p + "1jpg", GetValue("Person" + p + "1Jpg"));
        view.setField("edPerson" + p + "2jpg", GetValue("Person" + p + "2Jpg"));

        view.setField("edNoonH" + p, GetValue("NoonH" + p));
        const int hour = TextToInt(view.field("edNoonH" + p));
        if (hour < 1 || hour > 24) {
            view.setField("edNoonH" + p, QStringLiteral("12"));
            SetValue("NoonH" + p, QStringLiteral("12"));
        }
        view.setField("edNoonM" + p, GetValue("NoonM" + p));
        const int minute = TextToInt(view.field("edNoonM" + p));
        if (minute < 1 || minute > 59) {
            view.setField("edNoonM" + p, QStringLiteral("00"));
            SetValue("NoonM" + p, QStringLiteral("00"));
        }
        view.setField("edLongitude" + p, GetValue("Longitude" + p));
    }
    for (int n = PlaceCount + 1; !RunPlaces.value("Place" + num(n)).isEmpty(); ++n)
        view.addPlaceListItem(RunPlaces.value("Place" + num(n)));
    view.placeListsFilled();
}

void TComm::SavePlaces(PlacesView &view, const Utf8Question &askForUtf8) {
    const NameValueList before = Cfg;
    for (int n = 1; n <= PlaceCount; ++n) {
        const QString p = num(n);
        SetValue("Place" + p, view.field("edPlace" + p));
        SetValue("Person" + p + "1", view.field("edPerson" + p + "1"));
        SetValue("Person" + p + "2", view.field("edPerson" + p + "2"));
        SetValue("Place" + p + "Jpg", view.field(placeJpgField(n)));
        SetValue("Person" + p + "1Jpg", view.field("edPerson" + p + "1jpg"));
        SetValue("Person" + p + "2Jpg", view.field("edPerson" + p + "2jpg"));

        const int hour = TextToInt(view.field("edNoonH" + p));
        if (hour <= 0 || hour > 24)
            view.setField("edNoonH" + p, QStringLiteral("12"));
        SetValue("NoonH" + p, view.field("edNoonH" + p));
        const int minute = TextToInt(view.field("edNoonM" + p));
        if (minute <= 0 || minute >= 60)
            view.setField("edNoonM" + p, QStringLiteral("00"));
        SetValue("NoonM" + p, view.field("edNoonM" + p));
        // Written only when filled: a file without longitudes is saved as it was.
        SetValue("Longitude" + p, view.field("edLongitude" + p));
    }
    if (!holdsEveryCharacterOrSwitches(askForUtf8)) {
        Cfg = before;
        return;
    }
    SaveCfg();
    ShowPlaces(view);
}

bool TComm::holdsEveryCharacterOrSwitches(const Utf8Question &askForUtf8) {
    const QStringList lines = Cfg.linesItCannotHold();
    if (lines.isEmpty())
        return true;
    // Name the first few texts, so that the teacher sees which ones are meant.
    constexpr qsizetype shown = 3;
    QStringList texts;
    for (const QString &line : lines.first(std::min(shown, lines.size())))
        texts.append(NameValueList::hasKey(line) ? NameValueList::valueOf(line) : line);
    if (lines.size() > shown)
        texts.append(QStringLiteral("\u2026"));
    if (prompter_.confirm(askForUtf8().arg(texts.join(QStringLiteral(", "))), Prompter::Buttons::YesNo) !=
        Prompter::Answer::Yes)
        return false;
    Cfg.setEncoding(TextEncoding::Utf8WithMark);
    return true;
}

void TComm::ShowPlacePictures(int index, PlaceSlots &place, PersonNames names) const {
    if (index < 0)
        return;
    const QString p = num(index + 1);
    std::exception_ptr error = loadPicture("Place" + p + "Jpg", *place.image);
    const auto note = [&error](std::exception_ptr next) {
        if (!error)
            error = next;
    };
    for (int k = 1; k <= 2; ++k) {
        PlaceSlots::Person &person = place.persons[k - 1];
        const QString name = GetValue("Person" + p + num(k));
        const QString shown = person.name->text();
        const QString picture = "Person" + p + num(k) + "Jpg";
        if (names == PersonNames::Keep) {
            if (!name.isEmpty() && shown == name) {
                person.filled = name;
                note(loadPicture(picture, *person.image));
            } else {
                person.image->hidePicture();
            }
        } else if (!name.isEmpty() && (shown.isEmpty() || shown == person.filled)) {
            person.name->setText(name);
            person.filled = name;
            note(loadPicture(picture, *person.image));
        } else if (shown == person.filled) {
            person.filled.clear();
            person.name->setText(QString());
            person.image->hidePicture();
        }
    }
    if (error)
        std::rethrow_exception(error);
}

std::exception_ptr TComm::loadPicture(const QString &key, PictureSlot &image) const {
    // A configuration written on Windows separates folders with a backslash: it is a separator here too.
    const QString file = QString(GetValue(key)).replace(u'\\', u'/');
    // A folder of that name is no picture file: the image is hidden as for a missing file.
    if (!FileIo::exists(file)) {
        image.hidePicture();
        return nullptr;
    }
    try {
        image.showPictureFile(file);
        return nullptr;
    } catch (...) {
        image.hidePicture();
        return std::current_exception();
    }
}

QString TComm::GetValue(const QString &key) const {
    const qsizetype line = Cfg.indexOfKey(key);
    return line >= 0 ? Cfg.value(key) : RunPlaces.value(key);
}

int TComm::PlaceNumberOf(const QString &name) const {
    const QString wanted = ReadableName::of(name);
    if (wanted.isEmpty())
        return 0;
    for (int n = 1; n <= PlaceCount || !RunPlaces.value("Place" + num(n)).isEmpty(); ++n)
        if (ReadableName::of(GetValue("Place" + num(n))) == wanted)
            return n;
    return 0;
}

int TComm::AddRunPlace(const QString &name, std::optional<int> noonH, std::optional<int> noonM) {
    int n = PlaceCount + 1;
    while (!RunPlaces.value("Place" + num(n)).isEmpty())
        ++n;
    RunPlaces.setValue("Place" + num(n), name);
    if (noonH && noonM) {
        RunPlaces.setValue("NoonH" + num(n), num(*noonH));
        RunPlaces.setValue("NoonM" + num(n), num(*noonM));
    }
    return n;
}
