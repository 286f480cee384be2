#include "text/default_prompts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "prompt_printers.h"
#include "text/languages.h"
#include "text/prompt_code_table.h"

namespace zelta::text {
namespace {

using enum PromptId;

constexpr std::string_view kNationalPositions{"#$@[\\]^_`{|}~\x7F", 14};

// National positions a language's texts may use: the capitals with umlaut,
// diaeresis, ring or stroke of the Germanic and Nordic sets.
std::string_view allowedSubstitutes(int language) {
  switch (language) {
    case lang::german:
    case lang::swedish:
    case lang::danish:
    case lang::norwegian:
    case lang::finnish: return "[\\]";
    default: return "";
  }
}

TEST(DefaultTexts, EveryTextFitsThePager) {
  for (int row = 0; row < kDefaultTextRows; ++row) {
    const bool emptyRow = defaultTextAt(row, lang::english).empty();
    for (int language = 0; language < kTableLanguages; ++language) {
      const std::string_view text = defaultTextAt(row, language);
      SCOPED_TRACE(::testing::Message()
                   << "row " << row << " language " << language << " \"" << text << '"');
      EXPECT_EQ(text.empty(), emptyRow);
      EXPECT_LE(text.size(), kPromptMaxChars);
      if (!text.empty()) {
        EXPECT_NE(text.front(), ' ');
        EXPECT_NE(text.back(), ' ');
      }
      for (char c : text) {
        EXPECT_FALSE(c >= 'a' && c <= 'z') << c;
        // Every character is one the pager shows, even on model ' '.
        EXPECT_EQ(decodePromptCode(encodePromptChar(static_cast<unsigned char>(c), ' ')), c) << c;
        if (kNationalPositions.find(c) != std::string_view::npos) {
          EXPECT_NE(allowedSubstitutes(language).find(c), std::string_view::npos) << c;
        }
      }
    }
  }
}

TEST(DefaultTexts, GivenRowsInFull) {
  const auto row = [](int index) {
    std::vector<std::string> texts;
    for (int language = 0; language < kTableLanguages; ++language) {
      texts.emplace_back(defaultText(language, index, PromptList::list48).value_or("none"));
    }
    return texts;
  };
  EXPECT_EQ(row(13), (std::vector<std::string>{
                         "SET TIME AND ALARM", "UHRZEIT / WECKER", "UHRZEIT / WECKER",
                         "REGL.HEURE ET ALARME", "ST[LL TID OCH LARM", "INDSTIL TID OG ALARM",
                         "STILLE TID OG ALARM", "ACERTAR HORA E DESPE", "AJUSTAR HORA/ALARME",
                         "AJUST.HORA Y ALARMA", "AJUSTAR ALARMA/HORA", "IMPOSTA ORA/ALLARME",
                         "ASETA AIKA/H[LYTYS", "TIJD INSTELLEN", "SET WAKTU & ALARM"}));
  EXPECT_EQ(row(20), (std::vector<std::string>{
                         "PAGER DISABLED", "NICHT ANRUFBAR", "NICHT ANRUFBAR", "HORS SERVICE",
                         "UR FUNKTION", "UDE AF FUNKTION", "UTE AV DRIFT", "PAGER INACTIVO",
                         "PAGER DESATIVADO", "RECEPTOR INUTILIZADO", "RECEPTOR DESACTIVADO",
                         "DISABILITATO", "EI VERKOSSA", "TOESTEL UIT", "KELUI TAK BERFUNGSI"}));
  EXPECT_EQ(row(6),
            (std::vector<std::string>{"DELETE MESSAGE", "NACHRICHT L\\SCHEN", "NACHRICHT LOESCHEN",
                                      "EFFACER CE MESSAGE", "RADERA MEDDELANDE", "SLET MEDDELELSEN",
                                      "SLETT MELDINGEN", "APAGAR A MENSAGEM", "APAGAR MENSAGEM",
                                      "BORRAR MENSAJE", "BORRAR MENSAJE", "CANCELLAZ.MESSAGGIO",
                                      "POISTA VIESTI", "WIS BERICHT", "PADAM MESEJ"}));
  EXPECT_EQ(row(0), (std::vector<std::string>{
                        "SET PRIVATE TIME", "EMPF[NGER EIN/AUS", "EMPFAENGER EIN/AUS",
                        "MISE EN MARCHE AUTO", "S[TT AUTO ON/OFF", "STIL AUTO T[ND/SLUK",
                        "INNSTILL AUTO P]/AV", "LIGAR/DESLIGAR AUTO", "AUTO LIGA/DESLIGA",
                        "ENC/APAG AUTOMATICO", "PRENDER/APAGAR AUTO", "ACCENS/SPEGNIM. AUTO",
                        "AUTO ON/EI", "AUTO AAN/UIT", "AUTOMATIK BUKA/TUTUP"}));
  EXPECT_EQ(row(23),
            (std::vector<std::string>{"PLEASING ALERT", "DEZENTE RUFMELDUNG", "DEZENTE RUFMELDUNG",
                                      "SIGNAL MUSICAL", "MELODI SIGNAL", "MELODI SIGNAL",
                                      "MELODISK SIGNAL", "AVISO SONORO SUAVE", "ALERTA MUSICAL",
                                      "AVISO SUAVE", "AGRADABLE", "SEGNALE ACUSTICO",
                                      "MUSIIKKIH[LYTYS", "AANGENAAM OPROEP", "ISYARAT NYAMAN"}));
}

TEST(DefaultTexts, NothingOutsideTheTables) {
  EXPECT_EQ(defaultText(lang::english, 15, PromptList::list48), std::nullopt);  // zoom in
  EXPECT_EQ(defaultText(lang::english, 48, PromptList::list48), std::nullopt);
  EXPECT_EQ(defaultText(lang::english, -1, PromptList::list48), std::nullopt);
  for (int language : {lang::traditionalChinese, lang::simplifiedChinese, lang::thai, 19, -1}) {
    EXPECT_EQ(defaultText(language, 0, PromptList::list48), std::nullopt) << language;
  }
}

// 48- and 59-list ROM prompts: set time, set alarm, duplicate, standard
// alert, pleasing alert at base + 0..4.
TEST(RomPrompts, FivePerLanguageOnThe48And59Lists) {
  const int base[] = {0, 20, -1, 15, 45, 5, 30, 35, 60, 40, 65, 25, 50, 10, 55, -1};
  const std::vector<int> at48{31, 28, 19, 22, 23};
  const std::vector<int> at59{34, 31, 21, 24, 25};
  for (int language = 0; language < 16; ++language) {
    for (int index = 0; index < 59; ++index) {
      const auto expected = [&](const std::vector<int>& at) {
        const auto pos = std::find(at.begin(), at.end(), index);
        return base[language] < 0 || pos == at.end() ? -1 : base[language] + int(pos - at.begin());
      };
      if (index < 48) {
        EXPECT_EQ(romPromptNumber(language, index, PromptList::list48), expected(at48))
            << language << " " << index;
      }
      EXPECT_EQ(romPromptNumber(language, index, PromptList::list59), expected(at59))
          << language << " " << index;
    }
  }
  EXPECT_EQ(romPromptNumber(lang::english, 48, PromptList::list48), -1);
  EXPECT_EQ(romPromptNumber(lang::thai, 31, PromptList::list48), -1);
}

std::vector<int> rom49Row(int language) {
  std::vector<int> row;
  for (int index = 0; index < 49; ++index) {
    row.push_back(romPromptNumber(language, index, PromptList::list49));
  }
  return row;
}

std::vector<int> minusOnes(int n) {
  return std::vector<int>(static_cast<std::size_t>(n), -1);
}

TEST(RomPrompts, The49ListTable) {
  std::vector<int> english{0, 1, 2, 3, 4, 5, 6, 7, 23, 24, 25, 17, 18, 8, 9, 10, 11, 12};
  const auto gap = minusOnes(18);
  english.insert(english.end(), gap.begin(), gap.end());
  english.insert(english.end(), {13, 14, 15, 16, 19, 20, 21, 22, 26, 28, 27, -1, -1});
  EXPECT_EQ(rom49Row(lang::english), english);

  std::vector<int> german{59, -1, -1, 60, 61, 62, 63, -1, 71, 72, 73, 70, -1, 64};
  const auto gap2 = minusOnes(22);
  german.insert(german.end(), gap2.begin(), gap2.end());
  german.insert(german.end(), {66, 67, 68, 69, -1, -1, -1, -1, 65, 74, -1, -1, -1});
  EXPECT_EQ(rom49Row(lang::german), german);

  auto swiss = minusOnes(49);
  swiss[46] = 0;
  EXPECT_EQ(rom49Row(lang::germanSwiss), swiss);
  for (int language : {lang::lacPortuguese, lang::lacSpanish, lang::finnish, lang::malay, 15, 16}) {
    EXPECT_EQ(rom49Row(language), minusOnes(49)) << language;
  }

  // The languages left open hold numbers 29-127 that no other language uses.
  std::set<int> used;
  for (int language : {lang::english, lang::german}) {
    for (int n : rom49Row(language)) used.insert(n);
  }
  for (int language :
       {lang::french, lang::swedish, lang::danish, lang::norwegian, lang::europeanPortuguese,
        lang::europeanSpanish, lang::italian, lang::dutch}) {
    const auto row = rom49Row(language);
    EXPECT_GT(std::count_if(row.begin(), row.end(), [](int n) { return n >= 0; }), 0);
    for (int n : row) {
      if (n < 0) continue;
      EXPECT_TRUE(n >= 29 && n <= 127) << language << ": " << n;
      EXPECT_TRUE(used.insert(n).second) << language << " repeats " << n;
    }
  }
}

TEST(RomPrompts, NoneOnTheLongLists) {
  for (PromptList list : {PromptList::list118, PromptList::list119, PromptList::list123}) {
    for (int index = 0; index < 123; ++index)
      EXPECT_EQ(romPromptNumber(lang::english, index, list), -1);
  }
}

PromptSet withZoomTexts() {
  PromptSet prompts;
  prompts[zoomInPrompt] = {PromptText{"ZOOM IN"}, false};
  prompts[zoomOutPrompt] = {PromptText{"ZOOM OUT"}, false};
  return prompts;
}

TEST(LanguageDefaults, GermanSwissStoresEveryPromptAsText) {
  PromptSet prompts = withZoomTexts();
  ASSERT_EQ(applyLanguageDefaults(prompts, lang::germanSwiss, PromptList::list48),
            LanguageDefaults::applied);
  const auto ids = promptListEntries(PromptList::list48);
  for (int i = 0; i < static_cast<int>(ids.size()); ++i) {
    const Prompt& p = prompts[ids[static_cast<std::size_t>(i)]];
    EXPECT_FALSE(p.builtIn) << i;
    EXPECT_FALSE(p.text.contains(kDefaultMarker)) << i;
    if (const auto text = defaultText(lang::germanSwiss, i, PromptList::list48)) {
      EXPECT_EQ(p.text, *text) << i;
    }
  }
  EXPECT_EQ(prompts[deletePrompt].text, "NACHRICHT LOESCHEN");
}

TEST(LanguageDefaults, EnglishLeavesFivePromptsToTheRom) {
  PromptSet prompts = withZoomTexts();
  applyLanguageDefaults(prompts, lang::english, PromptList::list48);
  const std::set<PromptId> inRom{setTimePrompt, setAlarmPrompt, duplicatePrompt,
                                 standardAlertPrompt, pleasantAlertPrompt};
  const auto ids = promptListEntries(PromptList::list48);
  for (int i = 0; i < static_cast<int>(ids.size()); ++i) {
    const PromptId id = ids[static_cast<std::size_t>(i)];
    if (id == zoomInPrompt || id == zoomOutPrompt) continue;
    const Prompt& p = prompts[id];
    if (inRom.contains(id)) {
      EXPECT_EQ(p, (Prompt{PromptText{"<DEFAULT>"}, true})) << i;
    } else {
      EXPECT_EQ(p, (Prompt{PromptText{*defaultText(lang::english, i, PromptList::list48)}, false}))
          << i;
    }
  }
  EXPECT_EQ(prompts[powerUpPrompt].text, "KORVANDEL");
  EXPECT_EQ(prompts[sourcePromptId(16)].text, "4-4");
}

TEST(LanguageDefaults, ZoomPromptsKeepTheirText) {
  for (int language = 0; language < kTableLanguages; ++language) {
    PromptSet prompts = withZoomTexts();
    applyLanguageDefaults(prompts, language, PromptList::list48);
    EXPECT_EQ(prompts[zoomInPrompt], withZoomTexts()[zoomInPrompt]) << language;
    EXPECT_EQ(prompts[zoomOutPrompt], withZoomTexts()[zoomOutPrompt]) << language;
  }
}

TEST(LanguageDefaults, TwoSetReminderRowsOnThe123List) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::german, PromptList::list123);
  EXPECT_EQ(prompts[promptListEntries(PromptList::list123)[2]].text, "ALARMWIEDERHOLUNG");
  EXPECT_EQ(prompts[promptListEntries(PromptList::list123)[40]].text, "SET REMINDER");
  EXPECT_FALSE(prompts[setReminderPrompt].builtIn);
  EXPECT_EQ(prompts[sourcePromptId(64)].text, "16-4");
}

TEST(LanguageDefaults, The49ListKeepsFixedPromptsAsText) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::english, PromptList::list49);
  // Power-up and disable have ROM prompts but always start as text.
  EXPECT_EQ(prompts[powerUpPrompt], (Prompt{PromptText{"KORVANDEL"}, false}));
  EXPECT_EQ(prompts[disablePagerPrompt], (Prompt{PromptText{"PAGER DISABLED"}, false}));
  EXPECT_EQ(prompts[sourcePromptId(1)], (Prompt{PromptText{"1-1"}, false}));
  EXPECT_EQ(prompts[zoomInPrompt], (Prompt{PromptText{"<DEFAULT>"}, true}));
  EXPECT_EQ(prompts[noteBookPrompt], (Prompt{PromptText{"NOTEBOOK"}, false}));
  EXPECT_EQ(prompts[escAlertPrompt], (Prompt{PromptText{"<DEFAULT>"}, true}));
}

TEST(LanguageDefaults, OnlyTheListsPromptsChange) {
  PromptSet prompts;
  prompts[setReminderPrompt] = {PromptText{"MINE"}, false};
  prompts[sourcePromptId(17)] = {PromptText{"MINE"}, false};
  applyLanguageDefaults(prompts, lang::french, PromptList::list48);
  EXPECT_EQ(prompts[setReminderPrompt].text, "MINE");
  EXPECT_EQ(prompts[sourcePromptId(17)].text, "MINE");
  applyLanguageDefaults(prompts, lang::french, PromptList::list59);
  EXPECT_EQ(prompts[setReminderPrompt].text, "REGLER RAPPEL");
  EXPECT_EQ(prompts[sourcePromptId(17)].text, "5-1");
}

TEST(LanguageDefaults, LanguagesWithoutTablesKeepThePrompts) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::english, PromptList::list48);
  const PromptSet before = prompts;
  for (int language : {lang::traditionalChinese, lang::simplifiedChinese, lang::thai, 19, -1}) {
    EXPECT_EQ(applyLanguageDefaults(prompts, language, PromptList::list48),
              LanguageDefaults::noDefaultData);
    EXPECT_EQ(prompts, before) << language;
  }
  EXPECT_FALSE(noLanguageDefaultsMessage().text.empty());
}

TEST(DefaultToggle, SwitchesRomPromptsBackAndForth) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::english, PromptList::list48);
  Prompt& standard = prompts[standardAlertPrompt];
  ASSERT_TRUE(togglePromptDefault(standard, lang::english, 22, PromptList::list48));
  EXPECT_EQ(standard, (Prompt{PromptText{"STANDARD ALERT"}, false}));
  ASSERT_TRUE(togglePromptDefault(standard, lang::english, 22, PromptList::list48));
  EXPECT_EQ(standard, (Prompt{PromptText{"<DEFAULT>"}, true}));

  standard = {PromptText{"BEEP"}, false};
  ASSERT_TRUE(togglePromptDefault(standard, lang::english, 22, PromptList::list48));
  EXPECT_EQ(standard, (Prompt{PromptText{"<DEFAULT>"}, true}));
}

TEST(DefaultToggle, PromptsWithoutRomTextStay) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::english, PromptList::list48);
  const Prompt lock = prompts[setLockPrompt];
  EXPECT_FALSE(togglePromptDefault(prompts[setLockPrompt], lang::english, 4, PromptList::list48));
  EXPECT_EQ(prompts[setLockPrompt], lock);
  // German/Swiss pagers hold no ROM prompts on the 48-list.
  Prompt standard{PromptText{"STANDARDRUF"}, false};
  EXPECT_FALSE(togglePromptDefault(standard, lang::germanSwiss, 22, PromptList::list48));
  EXPECT_EQ(standard.text, "STANDARDRUF");
}

}  // namespace
}  // namespace zelta::text

namespace zelta::text {
namespace {

TEST(PromptLanguages, ListItemFifteenIsTheRomLanguage) {
  EXPECT_EQ(languageFromListItem(15, 1), lang::traditionalChinese);
  EXPECT_EQ(languageFromListItem(15, 2), lang::simplifiedChinese);
  EXPECT_EQ(languageFromListItem(15, 3), lang::thai);
  EXPECT_EQ(languageFromListItem(14, 3), lang::malay);
  for (int language : {lang::traditionalChinese, lang::simplifiedChinese, lang::thai}) {
    EXPECT_EQ(listItemFromLanguage(language), 15);
  }
  EXPECT_EQ(listItemFromLanguage(lang::dutch), lang::dutch);
}

}  // namespace
}  // namespace zelta::text
