// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of Gnomora's two first windows, for the yardsticks of bench/startup.sh.
#pragma once
#include <QHash>
#include <QString>

// The texts of the Polish language file (data/Gnomo_Language_0.ini), written in: reading and
// decoding a file is the program's work, not the floor's.
inline const QHash<QString, QString> &polishTexts() {
    static const QHash<QString, QString> texts = [] {
        static const struct {
            const char *key;
            const char16_t *text;
        } entries[] = {
            {"StartForm", u"Gnomora – mierzymy Ziemię"},
            {"MainForm", u"Gnomora – pomiar obwodu Ziemi metodą Eratostenesa"},
            {"btnStartEnter", u"Start"},
            {"edStartText_00", u"Witajcie w programie Gnomora!"},
            {"edStartText_01", u"Razem z inną szkołą zmierzycie obwód Ziemi"},
            {"edStartText_02", u"tak jak grecki uczony Eratostenes: pionowym"},
            {"edStartText_03", u"patykiem, jego cieniem i zegarkiem."},
            {"edStartText_04", u"Program poprowadzi was krok po kroku,"},
            {"edStartText_05", u"a na końcu wydrukuje dyplomy z wynikami."},
            {"edStartText_06", u"Kliknijcie „Start”, aby rozpocząć."},
            {"labDescr1", u"Jak zmierzyć obwód Ziemi patykiem i zegarkiem?"},
            {"labDescr2", u"Ponad 2200 lat temu zrobił to grecki uczony"},
            {"labDescr3", u"Eratostenes. Dziś powtórzycie jego pomiar!"},
            {"labDescr4", u"Na czym polega ten pomiar?"},
            {"labDescr5", u"Promienie Słońca padają na Ziemię równolegle."},
            {"labDescr6", u"Ziemia jest kulą, więc w południe Słońce stoi"},
            {"labDescr7", u"tym wyżej nad horyzontem, im bliżej równika"},
            {"labDescr8", u"leży szkoła. Różnica wysokości Słońca"},
            {"labDescr9", u"w południe w dwóch szkołach to kąt między"},
            {"labDescr10", u"nimi, mierzony w środku Ziemi. Odległość szkół"},
            {"labDescr11", u"jest taką częścią obwodu Ziemi, jaką częścią"},
            {"labDescr12", u"kąta pełnego (360°) jest ten kąt."},
            {"labDescr13", u"Jak pracujecie z programem?"},
            {"labDescr14", u"Krok 1: wybierzcie dwie szkoły i wpiszcie uczniów."},
            {"labDescr15", u"Kroki 2 i 3: w każdej szkole, tego samego dnia,"},
            {"labDescr16", u"ustawcie pionowo patyk na płaskim, poziomym"},
            {"labDescr17", u"i słonecznym miejscu. Zapiszcie godzinę pomiaru,"},
            {"labDescr18", u"zmierzcie w milimetrach wysokość patyka i długość"},
            {"labDescr19", u"jego cienia. Program obliczy wysokość Słońca,"},
            {"labDescr21", u"szerokość geograficzną i wysokość Słońca w południe."},
            {"labDescr22", u"Krok 4: wpiszcie odległość między szkołami liczoną"},
            {"labDescr23", u"z północy na południe i obliczcie obwód Ziemi."},
            {"labDescr24", u"Krok 5: wydrukujcie dyplomy dla uczestników."},
            {"labDescr25", u"Im większa odległość północ–południe, tym lepszy wynik."},
            {"labDescr26", u"Mierzcie koło południa, gdy cień jest najkrótszy."},
            {"imgStep0_00", u"Wstęp"},
            {"imgStep0_01", u"Jak zmierzyć Ziemię?"},
            {"imgStep0_02", u"opis doświadczenia"},
            {"imgStep1_00", u"Krok 1"},
            {"imgStep1_01", u"Miejsca i uczniowie"},
            {"imgStep1_02", u"wybór dwóch szkół"},
            {"imgStep2_00", u"Krok 2"},
            {"imgStep2_01", u"Pomiar w miejscu 1"},
            {"imgStep2_02", u"patyk i jego cień"},
            {"imgStep3_00", u"Krok 3"},
            {"imgStep3_01", u"Pomiar w miejscu 2"},
            {"imgStep3_02", u"patyk i jego cień"},
            {"imgStep4_00", u"Krok 4"},
            {"imgStep4_01", u"Porównanie"},
            {"imgStep4_02", u"obwód Ziemi"},
            {"imgStep5_00", u"Krok 5"},
            {"imgStep5_01", u"Wydruk"},
            {"imgStep5_02", u"dyplomy z wynikami"},
            {"imgTech_00", u"Ustawienia"},
            {"imgTech_01", u"język i miejsca"},
            {"imgTech_02", u"dla nauczyciela"},
        };
        QHash<QString, QString> hash;
        for (const auto &entry : entries)
            hash.insert(QLatin1String(entry.key), QString::fromUtf16(entry.text));
        return hash;
    }();
    return texts;
}

