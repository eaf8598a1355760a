// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/FileIo.h"
#include "platform/Locale.h"
#include "store/NameValueList.h"

#include <QString>
#include <cstdint>
#include <exception>
#include <optional>
#include <functional>

class Prompter;
class PlacesView;
class PictureSlot;
class TextSlot;
struct PlaceSlots;

// The configuration file Gnomora_Cfg.ini in the working folder (places, persons, pictures, true-noon
// times, language file), held in memory for the whole run; the program's text-to-number
// conversions; and the main window's step state, which is never written to the file.
class TComm {
public:
    static inline const QString CfgFileName = QStringLiteral("Gnomora_Cfg.ini");

    TComm(Prompter &prompter, Locale locale = Locale::system());

    // Loads the configuration if the file exists. A file that exists but cannot be read leaves
    // the run with an empty configuration, CfgUnread set and the error in CfgReadError, which the
    // start window reports once a language is loaded to word it in.
    void Init();
    void Done();

    // A key the configuration lacks is looked up among the places of this run (RunPlaces).
    QString GetValue(const QString &key) const;
    void SetValue(const QString &key, const QString &value) { Cfg.setValue(key, value); }

    // Writes the whole configuration to Gnomora_Cfg.ini; throws FileError, leaving the old file.
    // Refuses (FileError) while saving is not allowed or the file in the folder was never read:
    // the caller asks the user first (CfgUnread) and clears the flag.
    void SaveCfg() const;

    // A whole, optionally signed decimal 32-bit number; anything else (empty, blanks, letters,
    // out of range) gives 0.
    static int TextToInt(const QString &text);
    // A decimal number with the locale's decimal separator (an exponent allowed); anything else,
    // including infinities and NaN, gives 0.
    double TextToFloat(const QString &text) const;

    const Locale &locale() const { return locale_; }

    static constexpr int PlaceCount = 5;

    // Fills the places editor and both place lists of step 1 from the configuration, then tells
    // the view that the lists are full (placeListsFilled). A noon hour
    // outside 1..24 is shown and kept as "12", a noon minute outside 1..59 as "00".
    void ShowPlaces(PlacesView &view);
    // Gives the question asked before a Windows-1250 configuration takes a character that
    // Windows-1250 cannot hold; "%1" in it stands for the texts holding such characters.
    using Utf8Question = std::function<QString()>;
    // The longitude of place n (edLongitude<n>, key Longitude<n>, degrees east as typed) travels
    // with the other fields; its key exists only while the box is filled.
    // Reads the places editor back (the same noon corrections), writes the file, then refills.
    // When the editor holds a character the configuration's encoding cannot hold, the prompter asks
    // the question: Yes saves the configuration as UTF-8 from now on; any other answer saves
    // nothing and leaves the configuration as it was and the editor as typed, so nothing is lost.
    void SavePlaces(PlacesView &view, const Utf8Question &askForUtf8);
    // How showing a place treats the pupils' names already in step 1.
    enum class PersonNames {
        // The class chose the place: its first two persons are filled in, unless the user has
        // typed a name of their own over the one filled in before.
        FillIn,
        // A kept lesson is continued: every name stays as kept; a person's photograph shows where
        // the kept name is the configured one, which then counts as filled in.
        Keep,
    };
    // Shows the photograph of the place at list position index (none for -1) and its first two
    // persons' names and photographs; the slots' filled names hold the names last filled in. A
    // picture that cannot be read is hidden and the rest of the place still shown (no photograph
    // or name of the place shown before stays); the first such error propagates afterwards.
    void ShowPlacePictures(int index, PlaceSlots &place, PersonNames names = PersonNames::FillIn) const;

    // The configuration file exists but could not be read at start: writing the run's settings
    // over it would destroy the teacher's places unseen.
    bool CfgUnread = false;
    std::optional<FileError> CfgReadError;
    // False while another copy of the program works in the same folder: this one saves nothing.
    bool SavesAllowed = true;

    // Places known for this run only: a partner school's reading named a place that the
    // configuration lacks. They follow the configured places in both place lists (place numbers
    // PlaceCount + 1 on, keys Place<n>, NoonH<n>, NoonM<n>) and are never written to the file.
    NameValueList RunPlaces;
    // The number (1 on) of the place listed under that name as a person reads it (ReadableName),
    // configured or of this run; 0 if none.
    int PlaceNumberOf(const QString &name) const;
    // Lists the place for this run with its true noon (none: 12:00) and gives its number. The
    // place lists show it after the next ShowPlaces.
    int AddRunPlace(const QString &name, std::optional<int> noonH, std::optional<int> noonM);

    std::uint8_t HoverStep = 0;   // step button under the mouse: 0 none, 1..7
    std::uint8_t ActiveStep = 1;  // step shown: 1..6 for steps 0..5, 7 the technical panel
    NameValueList Cfg;

private:
    // Shows the picture the key names, or hides the image when there is none; a picture that
    // cannot be read hides the image too, and its error is returned (null when shown).
    std::exception_ptr loadPicture(const QString &key, PictureSlot &image) const;
    // Whether Cfg may be written now without turning characters into '?': true when its encoding
    // holds everything or the user agrees to UTF-8 (which Cfg then keeps).
    bool holdsEveryCharacterOrSwitches(const Utf8Question &askForUtf8);

    Prompter &prompter_;
    Locale locale_;
};
