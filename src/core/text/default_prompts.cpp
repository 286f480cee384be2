#include "text/default_prompts.h"

#include <array>
#include <cstdint>

#include "text/languages.h"

namespace zelta::text {
namespace {

using Texts = std::array<std::string_view, kTableLanguages>;

constexpr Texts same(std::string_view text) {
  Texts texts{};
  texts.fill(text);
  return texts;
}

// Rows of the default text table. The first rows are translated; the
// power-up text, the rows from offDuty on and the source texts read the same
// in every language.
enum Row : std::uint8_t {
  privateTime,
  chooseAlert,
  setReminder,
  audibleAlert,
  silentAlert,
  lockMessage,
  unlockMessage,
  deleteMessage,
  deleteAll,
  addToNotebook,
  printOne,
  printAll,
  maildropOn,
  maildropOff,
  setTimeAndAlarm,
  setMessageAlarm,
  turnPagerOff,
  escape,
  batteryLow,
  duplicate,
  pagerDisabled,
  standardAlert,
  pleasingAlert,
  chirpingAlert,
  noMessageAlert,
  on,
  off,
  setAlarm,
  notebook,
  memoryFull,
  setTime,
  setVolume,
  escalert,
  powerUp,
  offDuty,
  onDuty,
  urgentAlert,
  setMsgAlert,
  setReminderUntranslated,
  alertMode,
  alertAndVibMode,
  vibThenAlertMode,
  emptyText,
  vibratorMode,
  silentMode,
  continuousVib,
  interruptedVib,
  escalatingTone,
  generalTone,
  include,
  exclude,
  setToOnDuty,
  setToOffDuty,
  source,
  standardAndVib,
  dualFrequencyMenu,
  scan,
  switchToPrimary,
  switchToSecondary,
  inputPassword,
  dirKeyForInput,
  source1,  // the source texts "1-1" to "16-4" follow
  noRow = 0xFF,
};

// "c-f" for source prompt n = 4 (c - 1) + f, kept in one static block.
constexpr auto kSourceTextChars = [] {
  std::array<std::array<char, 6>, kSources> chars{};
  for (int n = 1; n <= kSources; ++n) {
    const int code = (n - 1) / 4 + 1;
    auto& c = chars[static_cast<std::size_t>(n - 1)];
    std::size_t at = 0;
    if (code >= 10) c[at++] = static_cast<char>('0' + code / 10);
    c[at++] = static_cast<char>('0' + code % 10);
    c[at++] = '-';
    c[at++] = static_cast<char>('0' + (n - 1) % 4 + 1);
    c[5] = static_cast<char>(at);  // length
  }
  return chars;
}();

// Languages, in order: English, German, German/Swiss, French, Swedish,
// Danish, Norwegian, European Portuguese, LA & C Portuguese, European
// Spanish, LA & C Spanish, Italian, Finnish, Dutch, Malay.
//
// Substitutes: German [ \ ] for A, O, U with umlaut; Swedish and Finnish
// [ \ ] for A and O with diaeresis and A with ring; Danish and Norwegian
// [ \ ] for AE, O with stroke and A with ring. The other languages write
// their capitals without accents, as pager menus do.
constexpr Texts kNamedRows[] = {
    {"SET PRIVATE TIME", "EMPF[NGER EIN/AUS", "EMPFAENGER EIN/AUS", "MISE EN MARCHE AUTO",
     "S[TT AUTO ON/OFF", "STIL AUTO T[ND/SLUK", "INNSTILL AUTO P]/AV", "LIGAR/DESLIGAR AUTO",
     "AUTO LIGA/DESLIGA", "ENC/APAG AUTOMATICO", "PRENDER/APAGAR AUTO", "ACCENS/SPEGNIM. AUTO",
     "AUTO ON/EI", "AUTO AAN/UIT", "AUTOMATIK BUKA/TUTUP"},
    {"CHOOSE ALERT", "SIGNALART W[HLEN", "SIGNALART WAEHLEN", "CHOIX DU SIGNAL", "V[LJ SIGNAL",
     "V[LG SIGNAL", "VELG SIGNAL", "ESCOLHER AVISO", "ESCOLHER ALERTA", "ELEGIR AVISO",
     "ELEGIR ALERTA", "SCEGLI SEGNALE", "VALITSE H[LYTYS", "KIES SIGNAAL", "PILIH ISYARAT"},
    {"SET REMINDER", "ALARMWIEDERHOLUNG", "ALARMWIEDERHOLUNG", "REGLER RAPPEL", "S[TT P]MINNELSE",
     "INDSTIL P]MINDELSE", "INNSTILL P]MINNELSE", "ACERTAR LEMBRETE", "AJUSTAR LEMBRETE",
     "AJUSTAR RECORDATORIO", "FIJAR RECORDATORIO", "IMPOSTA PROMEMORIA", "ASETA MUISTUTUS",
     "HERINNERING ZETTEN", "SET PERINGATAN"},
    {"SET AUDIBLE ALERT", "TONRUF EINSTELLEN", "TONRUF EINSTELLEN", "SIGNAL SONORE", "LJUDSIGNAL",
     "LYDSIGNAL", "LYDSIGNAL", "AVISO SONORO", "ALERTA SONORO", "AVISO SONORO", "ALERTA SONORA",
     "SEGNALE SONORO", "[[NIH[LYTYS", "HOORBAAR SIGNAAL", "ISYARAT BERBUNYI"},
    {"SET SILENT ALERT", "STUMMRUF EINSTELLEN", "STUMMRUF EINSTELLEN", "SIGNAL SILENCIEUX",
     "TYST SIGNAL", "LYDL\\S SIGNAL", "LYDL\\ST SIGNAL", "AVISO SILENCIOSO", "ALERTA SILENCIOSO",
     "AVISO SILENCIOSO", "ALERTA SILENCIOSA", "SEGNALE SILENZIOSO", "HILJAINEN H[LYTYS",
     "STIL SIGNAAL", "ISYARAT SENYAP"},
    {"LOCK MESSAGE", "NACHRICHT SPERREN", "NACHRICHT SPERREN", "VERROUILLER MESSAGE",
     "L]S MEDDELANDE", "L]S MEDDELELSE", "L]S MELDING", "BLOQUEAR MENSAGEM", "BLOQUEAR MENSAGEM",
     "BLOQUEAR MENSAJE", "BLOQUEAR MENSAJE", "BLOCCA MESSAGGIO", "LUKITSE VIESTI",
     "BERICHT BLOKKEREN", "KUNCI MESEJ"},
    {"UNLOCK MESSAGE", "NACHRICHT FREIGEBEN", "NACHRICHT FREIGEBEN", "DEVERROUILL.MESSAGE",
     "L]S UPP MEDDELANDE", "L]S OP MEDDELELSE", "L]S OPP MELDING", "DESBLOQUEAR MENSAGEM",
     "DESBLOQUEAR MENSAGEM", "DESBLOQUEAR MENSAJE", "DESBLOQUEAR MENSAJE", "SBLOCCA MESSAGGIO",
     "AVAA VIESTIN LUKITUS", "BERICHT VRIJGEVEN", "BUKA KUNCI MESEJ"},
    {"DELETE MESSAGE", "NACHRICHT L\\SCHEN", "NACHRICHT LOESCHEN", "EFFACER CE MESSAGE",
     "RADERA MEDDELANDE", "SLET MEDDELELSEN", "SLETT MELDINGEN", "APAGAR A MENSAGEM",
     "APAGAR MENSAGEM", "BORRAR MENSAJE", "BORRAR MENSAJE", "CANCELLAZ.MESSAGGIO", "POISTA VIESTI",
     "WIS BERICHT", "PADAM MESEJ"},
    {"DELETE ALL MESSAGES", "ALLE NACHR. L\\SCHEN", "ALLE NACHR. LOESCHEN", "EFFACER TOUT",
     "RADERA ALLA MEDD.", "SLET ALLE MEDDEL.", "SLETT ALLE MELDINGER", "APAGAR TODAS",
     "APAGAR TODAS", "BORRAR TODOS", "BORRAR TODOS", "CANCELLA TUTTI", "POISTA KAIKKI",
     "WIS ALLE BERICHTEN", "PADAM SEMUA MESEJ"},
    {"ADD TO NOTEBOOK", "INS NOTIZBUCH", "INS NOTIZBUCH", "AJOUTER AU CARNET", "TILL ANTECKNINGAR",
     "GEM I NOTESBOG", "LAGRE I NOTATBOK", "GUARDAR NO BLOCO", "SALVAR NA AGENDA",
     "GUARDAR EN AGENDA", "GUARDAR EN LIBRETA", "AGGIUNGI AD AGENDA", "LIS[[ MUISTIOON",
     "NAAR NOTITIEBOEK", "SIMPAN KE BUKU NOTA"},
    {"PRINT ONE MESSAGE", "NACHRICHT DRUCKEN", "NACHRICHT DRUCKEN", "IMPRIMER CE MESSAGE",
     "SKRIV UT MEDDELANDE", "UDSKRIV MEDDELELSE", "SKRIV UT MELDING", "IMPRIMIR MENSAGEM",
     "IMPRIMIR MENSAGEM", "IMPRIMIR MENSAJE", "IMPRIMIR MENSAJE", "STAMPA MESSAGGIO",
     "TULOSTA VIESTI", "BERICHT AFDRUKKEN", "CETAK SATU MESEJ"},
    {"PRINT ALL MESSAGES", "ALLE NACHR. DRUCKEN", "ALLE NACHR. DRUCKEN", "IMPRIMER TOUT",
     "SKRIV UT ALLA", "UDSKRIV ALLE", "SKRIV UT ALLE", "IMPRIMIR TODAS", "IMPRIMIR TODAS",
     "IMPRIMIR TODOS", "IMPRIMIR TODOS", "STAMPA TUTTI", "TULOSTA KAIKKI", "ALLES AFDRUKKEN",
     "CETAK SEMUA MESEJ"},
    {"MAILDROP ALERT ON", "INFODIENSTRUF EIN", "INFODIENSTRUF EIN", "SIGNAL INFOS ACTIF",
     "INFOSIGNAL P]", "INFOSIGNAL TIL", "INFOSIGNAL P]", "AVISO INFO LIGADO", "LIGAR ALERTA INFO",
     "AVISO BUZON ACTIVO", "ACTIVAR ALERTA BUZON", "SEGNALE INFO ACCESO", "INFOH[LYTYS P[[LL[",
     "INFOSIGNAAL AAN", "ISYARAT INFO BUKA"},
    {"MAILDROP ALERT OFF", "INFODIENSTRUF AUS", "INFODIENSTRUF AUS", "SIGNAL INFOS INACTIF",
     "INFOSIGNAL AV", "INFOSIGNAL FRA", "INFOSIGNAL AV", "AVISO INFO DESLIGADO",
     "DESLIGAR ALERTA INFO", "AVISO BUZON INACTIVO", "DESACT. ALERTA BUZON", "SEGNALE INFO SPENTO",
     "INFOH[LYTYS POIS", "INFOSIGNAAL UIT", "ISYARAT INFO TUTUP"},
    {"SET TIME AND ALARM", "UHRZEIT / WECKER", "UHRZEIT / WECKER", "REGL.HEURE ET ALARME",
     "ST[LL TID OCH LARM", "INDSTIL TID OG ALARM", "STILLE TID OG ALARM", "ACERTAR HORA E DESPE",
     "AJUSTAR HORA/ALARME", "AJUST.HORA Y ALARMA", "AJUSTAR ALARMA/HORA", "IMPOSTA ORA/ALLARME",
     "ASETA AIKA/H[LYTYS", "TIJD INSTELLEN", "SET WAKTU & ALARM"},
    {"SET MESSAGE ALARM", "NACHRICHTENWECKER", "NACHRICHTENWECKER", "ALARME DE MESSAGE",
     "MEDDELANDELARM", "MEDDELELSESALARM", "MELDINGSALARM", "ALARME DE MENSAGEM",
     "ALARME DE MENSAGEM", "ALARMA DE MENSAJE", "ALARMA DE MENSAJE", "ALLARME MESSAGGIO",
     "VIESTIH[LYTYS", "BERICHTALARM", "SET ALARM MESEJ"},
    {"TURN PAGER OFF", "EMPF[NGER AUS", "EMPFAENGER AUS", "ARRET DU RECEPTEUR", "ST[NG AV S\\KAREN",
     "SLUK S\\GEREN", "SL] AV PERSONS\\KER", "DESLIGAR O PAGER", "DESLIGAR O PAGER",
     "APAGAR RECEPTOR", "APAGAR LOCALIZADOR", "SPEGNI RICEVITORE", "SAMMUTA HAKULAITE",
     "ONTVANGER UIT", "TUTUP PAGER"},
    {"ESCAPE", "ZUR]CK", "ZURUECK", "QUITTER", "TILLBAKA", "TILBAGE", "TILBAKE", "SAIR", "SAIR",
     "SALIR", "SALIR", "ESCI", "PALAA", "TERUG", "KELUAR"},
    {"BATTERY LOW", "BATTERIE SCHWACH", "BATTERIE SCHWACH", "PILE FAIBLE", "L]GT BATTERI",
     "LAVT BATTERI", "LAVT BATTERI", "BATERIA FRACA", "BATERIA FRACA", "BATERIA BAJA",
     "BATERIA BAJA", "BATTERIA SCARICA", "PARISTO HEIKKO", "BATTERIJ ZWAK", "BATERI LEMAH"},
    {"DUPLICATE MESSAGE", "DOPPELTE NACHRICHT", "DOPPELTE NACHRICHT", "MESSAGE EN DOUBLE",
     "DUBBELT MEDDELANDE", "DUBLET MEDDELELSE", "DUPLISERT MELDING", "MENSAGEM DUPLICADA",
     "MENSAGEM DUPLICADA", "MENSAJE DUPLICADO", "MENSAJE DUPLICADO", "MESSAGGIO DOPPIO",
     "KAKSOISVIESTI", "DUBBEL BERICHT", "MESEJ BERGANDA"},
    {"PAGER DISABLED", "NICHT ANRUFBAR", "NICHT ANRUFBAR", "HORS SERVICE", "UR FUNKTION",
     "UDE AF FUNKTION", "UTE AV DRIFT", "PAGER INACTIVO", "PAGER DESATIVADO",
     "RECEPTOR INUTILIZADO", "RECEPTOR DESACTIVADO", "DISABILITATO", "EI VERKOSSA", "TOESTEL UIT",
     "KELUI TAK BERFUNGSI"},
    {"STANDARD ALERT", "STANDARDRUF", "STANDARDRUF", "SIGNAL STANDARD", "STANDARDSIGNAL",
     "STANDARDSIGNAL", "STANDARDSIGNAL", "AVISO NORMAL", "ALERTA PADRAO", "AVISO NORMAL",
     "ALERTA NORMAL", "SEGNALE STANDARD", "VAKIOH[LYTYS", "STANDAARD SIGNAAL", "ISYARAT BIASA"},
    {"PLEASING ALERT", "DEZENTE RUFMELDUNG", "DEZENTE RUFMELDUNG", "SIGNAL MUSICAL",
     "MELODI SIGNAL", "MELODI SIGNAL", "MELODISK SIGNAL", "AVISO SONORO SUAVE", "ALERTA MUSICAL",
     "AVISO SUAVE", "AGRADABLE", "SEGNALE ACUSTICO", "MUSIIKKIH[LYTYS", "AANGENAAM OPROEP",
     "ISYARAT NYAMAN"},
    {"CHIRPING ALERT", "ZIRPTON", "ZIRPTON", "SIGNAL BREF", "PIPSIGNAL", "BIPSIGNAL", "PIPESIGNAL",
     "AVISO CURTO", "ALERTA CURTO", "AVISO CORTO", "ALERTA CORTA", "SEGNALE BREVE", "PIIPPAUS",
     "KORT SIGNAAL", "ISYARAT CIAP"},
    {"NO MESSAGE ALERT", "KEIN RUFTON", "KEIN RUFTON", "PAS DE SIGNAL", "INGEN SIGNAL",
     "INGEN SIGNAL", "INGEN SIGNAL", "SEM AVISO", "SEM ALERTA", "SIN AVISO", "SIN ALERTA",
     "NESSUN SEGNALE", "EI H[LYTYST[", "GEEN SIGNAAL", "TIADA ISYARAT"},
    {"ON", "EIN", "EIN", "MARCHE", "P]", "TIL", "P]", "LIGADO", "LIGADO", "ACTIVADO", "ENCENDIDO",
     "ACCESO", "P[[LL[", "AAN", "BUKA"},
    {"OFF", "AUS", "AUS", "ARRET", "AV", "FRA", "AV", "DESLIGADO", "DESLIGADO", "DESACTIVADO",
     "APAGADO", "SPENTO", "POIS", "UIT", "TUTUP"},
    {"SET ALARM", "WECKER STELLEN", "WECKER STELLEN", "REGLER ALARME", "ST[LL LARM",
     "INDSTIL ALARM", "STILL ALARM", "ACERTAR DESPERTADOR", "AJUSTAR ALARME", "AJUSTAR ALARMA",
     "FIJAR ALARMA", "IMPOSTA SVEGLIA", "ASETA HER[TYS", "ALARM INSTELLEN", "SET ALARM"},
    {"NOTEBOOK", "NOTIZBUCH", "NOTIZBUCH", "CARNET", "ANTECKNINGAR", "NOTESBOG", "NOTATBOK",
     "BLOCO DE NOTAS", "AGENDA", "AGENDA", "LIBRETA", "AGENDA", "MUISTIO", "NOTITIEBOEK",
     "BUKU NOTA"},
    {"MEMORY FULL", "SPEICHER VOLL", "SPEICHER VOLL", "MEMOIRE PLEINE", "MINNET FULLT",
     "HUKOMMELSE FULD", "MINNET ER FULLT", "MEMORIA CHEIA", "MEMORIA CHEIA", "MEMORIA LLENA",
     "MEMORIA LLENA", "MEMORIA PIENA", "MUISTI T[YNN[", "GEHEUGEN VOL", "MEMORI PENUH"},
    {"SET TIME", "UHRZEIT STELLEN", "UHRZEIT STELLEN", "REGLER HEURE", "ST[LL TID", "INDSTIL TID",
     "STILL TID", "ACERTAR HORA", "AJUSTAR HORA", "AJUSTAR HORA", "FIJAR HORA", "IMPOSTA ORA",
     "ASETA AIKA", "TIJD INSTELLEN", "SET WAKTU"},
    {"SET VOLUME", "LAUTST[RKE", "LAUTSTAERKE", "REGLER VOLUME", "ST[LL VOLYM", "INDSTIL LYDSTYRKE",
     "STILL VOLUM", "ACERTAR VOLUME", "AJUSTAR VOLUME", "AJUSTAR VOLUMEN", "FIJAR VOLUMEN",
     "IMPOSTA VOLUME", "[[NENVOIMAKKUUS", "VOLUME INSTELLEN", "SET KELANTANGAN"},
    {"ESCALERT", "ANSCHWELLENDER RUF", "ANSCHWELLENDER RUF", "SIGNAL CROISSANT", "STIGANDE SIGNAL",
     "STIGENDE SIGNAL", "STIGENDE SIGNAL", "AVISO CRESCENTE", "ALERTA CRESCENTE", "AVISO CRECIENTE",
     "ALERTA CRECIENTE", "SEGNALE CRESCENTE", "NOUSEVA H[LYTYS", "OPLOPEND SIGNAAL",
     "ISYARAT MENINGKAT"},
    same("KORVANDEL"),
    same("OFF DUTY"),
    same("ON DUTY"),
    same("URGENT ALERT"),
    same("SET MSG ALERT"),
    same("SET REMINDER"),
    same("ALERT MODE"),
    same("ALERT & VIB MODE"),
    same("VIB THEN ALERT MODE"),
    same(""),
    same("VIBRATOR MODE"),
    same("SILENT MODE"),
    same("CONTINUOUS VIB"),
    same("INTERRUPTED VIB"),
    same("ESCALATING TONE"),
    same("GENERAL TONE"),
    same("INCLUDE"),
    same("EXCLUDE"),
    same("SET TO ON DUTY"),
    same("SET TO OFF DUTY"),
    same("SOURCE"),
    same("STANDARD AND VIB"),
    same("DUAL FREQUENCY MENU"),
    same("SCAN"),
    same("SWITCH TO PRIMARY"),
    same("SWITCH TO SECONDARY"),
    same("INPUT PASSWORD"),
    same("DIR KEY FOR INPUT"),
};
static_assert(std::size(kNamedRows) == source1);
static_assert(source1 + kSources == kDefaultTextRows);

// The row of each named prompt (in PromptId order).
constexpr Row kPromptRows[] = {privateTime,
                               chooseAlert,
                               setReminder,
                               audibleAlert,
                               silentAlert,
                               lockMessage,
                               unlockMessage,
                               deleteMessage,
                               deleteAll,
                               addToNotebook,
                               printOne,
                               printAll,
                               maildropOn,
                               maildropOff,
                               setTimeAndAlarm,
                               setMessageAlarm,
                               noRow,
                               noRow,  // zoom in, zoom out
                               turnPagerOff,
                               escape,
                               batteryLow,
                               duplicate,
                               pagerDisabled,
                               powerUp,
                               standardAlert,
                               pleasingAlert,
                               standardAndVib,
                               chirpingAlert,
                               noMessageAlert,
                               on,
                               off,
                               setAlarm,
                               notebook,
                               memoryFull,
                               setTime,
                               setVolume,
                               escalert,
                               urgentAlert,
                               setMsgAlert,
                               setReminderUntranslated,
                               alertMode,
                               alertAndVibMode,
                               vibThenAlertMode,
                               vibratorMode,
                               emptyText,
                               silentMode,
                               continuousVib,
                               interruptedVib,
                               escalatingTone,
                               generalTone,
                               include,
                               exclude,
                               setToOffDuty,
                               setToOnDuty,
                               offDuty,
                               onDuty,
                               source,
                               switchToPrimary,
                               switchToSecondary,
                               dualFrequencyMenu,
                               scan,
                               inputPassword,
                               dirKeyForInput};
static_assert(std::size(kPromptRows) == static_cast<std::size_t>(PromptId::source1Prompt));

Row rowOf(PromptId id, PromptList list) {
  if (isSourcePrompt(id)) return static_cast<Row>(source1 + sourceNumber(id) - 1);
  // The old 49-list pagers call their set-time-and-alarm menu "SET TIME".
  if (list == PromptList::list49 && id == PromptId::setTimeAlarmPrompt) return setTime;
  return kPromptRows[static_cast<std::size_t>(id)];
}

// ROM prompt numbers. Rows are languages 0-15; language 15 has none.
inline constexpr int kRomLanguages = 16;

// 48- and 59-list pagers hold five prompts per language, numbered from a
// base: set time, set alarm, duplicate, standard alert, pleasing alert.
constexpr std::array<int, kTableLanguages> kFiveRomBase{0,  20, -1, 15, 45, 5,  30, 35,
                                                        60, 40, 65, 25, 50, 10, 55};

template <std::size_t Size>
constexpr auto fiveRomTable(const std::array<int, 5>& indices) {
  std::array<std::array<std::int8_t, Size>, kRomLanguages> table{};
  for (auto& row : table) row.fill(-1);
  for (int language = 0; language < kTableLanguages; ++language) {
    const int base = kFiveRomBase[static_cast<std::size_t>(language)];
    if (base < 0) continue;
    for (int i = 0; i < 5; ++i) {
      table[static_cast<std::size_t>(language)]
           [static_cast<std::size_t>(indices[static_cast<std::size_t>(i)])] =
               static_cast<std::int8_t>(base + i);
    }
  }
  return table;
}

constexpr auto kRom48 = fiveRomTable<48>({31, 28, 19, 22, 23});
constexpr auto kRom59 = fiveRomTable<59>({34, 31, 21, 24, 25});

// The 49-list pagers (model ' ') hold many prompts; their table covers
// indices 0-46. Notebook and memory full (47, 48) have no ROM prompt.
constexpr std::size_t kRom49Entries = 47;
using Rom49Row = std::array<std::int8_t, kRom49Entries>;

constexpr Rom49Row noRomRow() {
  Rom49Row row{};
  row.fill(-1);
  return row;
}

// ROM numbers first, first + 1, ... at the given indices, in index order.
template <std::size_t N>
constexpr Rom49Row sparseRomRow(int first, const std::array<int, N>& indices) {
  Rom49Row row = noRomRow();
  for (std::size_t i = 0; i < N; ++i) {
    row[static_cast<std::size_t>(indices[i])] =
        static_cast<std::int8_t>(first + static_cast<int>(i));
  }
  return row;
}

// Private time, silent alert, lock, unlock, delete, set time, disabled,
// power-up, standard alert, pleasing alert.
constexpr std::array<int, 10> kCommonRomIndices{0, 3, 4, 5, 6, 13, 36, 37, 38, 39};

constexpr std::array<Rom49Row, kRomLanguages> kRom49{
    Rom49Row{0,  1,  2,  3,  4,  5,  6,  7,  23, 24, 25, 17, 18, 8,  9,  10,
             11, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
             -1, -1, -1, -1, 13, 14, 15, 16, 19, 20, 21, 22, 26, 28, 27},  // English
    Rom49Row{59, -1, -1, 60, 61, 62, 63, -1, 71, 72, 73, 70, -1, 64, -1, -1,
             -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
             -1, -1, -1, -1, 66, 67, 68, 69, -1, -1, -1, -1, 65, 74, -1},  // German
    [] {
      Rom49Row row = noRomRow();
      row[46] = 0;
      return row;
    }(),                                   // German/Swiss
    sparseRomRow(29, kCommonRomIndices),   // French
    sparseRomRow(39, kCommonRomIndices),   // Swedish
    sparseRomRow(49, kCommonRomIndices),   // Danish
    sparseRomRow(75, kCommonRomIndices),   // Norwegian
    sparseRomRow(85, kCommonRomIndices),   // European Portuguese
    noRomRow(),                            // LA & C Portuguese
    sparseRomRow(95, kCommonRomIndices),   // European Spanish
    noRomRow(),                            // LA & C Spanish
    sparseRomRow(105, kCommonRomIndices),  // Italian
    noRomRow(),                            // Finnish
    sparseRomRow(115, kCommonRomIndices),  // Dutch
    noRomRow(),                            // Malay
    noRomRow(),                            // language 15
};

template <std::size_t Size>
int lookUp(const std::array<std::array<std::int8_t, Size>, kRomLanguages>& table, int language,
           int index) {
  if (language < 0 || language >= kRomLanguages || index < 0 || index >= static_cast<int>(Size)) {
    return -1;
  }
  return table[static_cast<std::size_t>(language)][static_cast<std::size_t>(index)];
}

std::optional<PromptId> promptAt(int index, PromptList list) {
  const auto entries = promptListEntries(list);
  if (index < 0 || index >= static_cast<int>(entries.size())) return std::nullopt;
  return entries[static_cast<std::size_t>(index)];
}

bool alwaysText(PromptId id) {
  return id == PromptId::powerUpPrompt || id == PromptId::disablePagerPrompt || isSourcePrompt(id);
}

}  // namespace

std::string_view defaultTextAt(int row, int language) {
  if (row < 0 || row >= kDefaultTextRows || !hasDefaultTables(language)) return {};
  if (row >= source1) {
    const auto& chars = kSourceTextChars[static_cast<std::size_t>(row - source1)];
    return {chars.data(), static_cast<std::size_t>(chars[5])};
  }
  return kNamedRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(language)];
}

std::optional<std::string_view> defaultText(int language, int index, PromptList list) {
  const auto id = promptAt(index, list);
  if (!id || !hasDefaultTables(language)) return std::nullopt;
  const Row row = rowOf(*id, list);
  if (row == noRow) return std::nullopt;
  return defaultTextAt(row, language);
}

int romPromptNumber(int language, int index, PromptList list) {
  switch (list) {
    case PromptList::list48: return lookUp(kRom48, language, index);
    case PromptList::list59: return lookUp(kRom59, language, index);
    case PromptList::list49: return lookUp(kRom49, language, index);
    case PromptList::list118:
    case PromptList::list119:
    case PromptList::list123: return -1;
  }
  return -1;
}

LanguageDefaults applyLanguageDefaults(PromptSet& prompts, int language, PromptList list) {
  if (!hasDefaultTables(language)) return LanguageDefaults::noDefaultData;
  const auto entries = promptListEntries(list);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int index = static_cast<int>(i);
    Prompt& prompt = prompts[entries[i]];
    if (hasRomPrompts(list) && !alwaysText(entries[i]) &&
        romPromptNumber(language, index, list) >= 0) {
      prompt = {PromptText{kDefaultMarker}, true};
    } else if (const auto text = defaultText(language, index, list)) {
      prompt = {PromptText{*text}, false};
    }
  }
  return LanguageDefaults::applied;
}

errors::Message noLanguageDefaultsMessage() {
  return {errors::BoxClass::Information,
          std::string{errors::captionOf(errors::BoxClass::Information)},
          "No default prompts are held for this language.\nThe current prompts are kept."};
}

bool togglePromptDefault(Prompt& prompt, int language, int index, PromptList list) {
  if (romPromptNumber(language, index, list) < 0) return false;
  if (prompt.builtIn || prompt.text.contains(kDefaultMarker)) {
    if (const auto text = defaultText(language, index, list)) prompt.text.assign(*text);
  } else {
    prompt.text.assign(kDefaultMarker);
  }
  prompt.builtIn = prompt.text.contains(kDefaultMarker);
  return true;
}

}  // namespace zelta::text
