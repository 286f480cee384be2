#pragma once

#include <cstdint>

namespace zelta::errors {

// A result code: Ok is success, -1 to -133 are failures and questions.
// Codes that the link, the checks and the pages pass around by name are
// listed here; every other number is still a valid code for the reporters
// (it reads "What is this?").
//
// Success has one spelling, Ok, whatever layer returns it. What else a
// function may come to has a value of its own: a file that cannot be
// reached is storage::kFileNotAccessible, a box or question without a code
// carries none (std::nullopt), and the pager operations and the window's
// file commands carry their outcome as errors::OperationOutcome.
using ResultCode = std::int32_t;

namespace code {
inline constexpr ResultCode Ok = 0;
inline constexpr ResultCode WrongPassword = -1;
inline constexpr ResultCode FirmwareMismatch = -2;
inline constexpr ResultCode UnknownPagerType = -15;
inline constexpr ResultCode NotResponding = -16;
inline constexpr ResultCode Cancelled = -17;
inline constexpr ResultCode BadPagerData = -21;
inline constexpr ResultCode Unprogrammed = -22;
inline constexpr ResultCode DownloadDisabled = -23;
inline constexpr ResultCode OtaDisabled = -24;
inline constexpr ResultCode BadChecksum = -25;
inline constexpr ResultCode NoAcknowledge = -26;
inline constexpr ResultCode InvalidPocsagCode = -27;
inline constexpr ResultCode NoCode = -29;
inline constexpr ResultCode InvalidArchive = -30;
inline constexpr ResultCode NotSynthesizable = -36;
inline constexpr ResultCode TooManyFrames = -37;
inline constexpr ResultCode NoActiveCode = -50;
inline constexpr ResultCode DuplicateCodes = -53;
inline constexpr ResultCode ReminderInterval = -54;
inline constexpr ResultCode NotebookWithoutDelete = -57;
inline constexpr ResultCode PromptsTooLarge = -58;
inline constexpr ResultCode CharacterSetMismatch = -59;
inline constexpr ResultCode CgromChanged = -63;
inline constexpr ResultCode PersonalMessageType = -68;
inline constexpr ResultCode CannedRange = -69;
inline constexpr ResultCode MaildropToneOnly = -70;
inline constexpr ResultCode InvalidEot = -71;
inline constexpr ResultCode BatteryLevel = -72;
inline constexpr ResultCode ServiceTuningWarning = -73;
inline constexpr ResultCode CannedRangeReset = -75;
inline constexpr ResultCode NoMaildropMemory = -76;
inline constexpr ResultCode InvalidPromptCharacter = -77;
inline constexpr ResultCode No2400Baud = -78;
inline constexpr ResultCode NoZifReceiver = -79;
inline constexpr ResultCode NewerPagerImage = -93;
inline constexpr ResultCode ResetToDefaults = -95;
inline constexpr ResultCode OtaFieldNeedsGroup = -100;
inline constexpr ResultCode OutOfBand = -104;
inline constexpr ResultCode WrongEntryPassword = -105;
inline constexpr ResultCode NewerFile = -107;
inline constexpr ResultCode IconContrast = -108;
inline constexpr ResultCode TextContrast = -109;
inline constexpr ResultCode WrongStartupPassword = -110;
inline constexpr ResultCode EraseQuestion = -111;
inline constexpr ResultCode ExitWhileBusy = -112;
inline constexpr ResultCode PortNotOpened = -114;
inline constexpr ResultCode PagerNewer = -115;
inline constexpr ResultCode DifferentVersion = -116;
inline constexpr ResultCode CodeplugNewerThanPager = -117;
inline constexpr ResultCode VersionsMismatch = -118;
inline constexpr ResultCode InvalidConverterBase = -119;
inline constexpr ResultCode OutOfBandSplit = -121;
inline constexpr ResultCode ConvertingFormat = -122;
inline constexpr ResultCode OutOfBandVhfB = -123;
inline constexpr ResultCode IllegalTimeout = -125;
inline constexpr ResultCode IllegalPasswordLength = -126;
// "Transmission anomaly, stop and call for service": the interface echoed a
// byte other than the one sent, so the pager may have received it garbled.
// The line is not to be trusted; the text's second line says where it
// failed (MessageContext::lineFault).
inline constexpr ResultCode TransmissionFault = -127;
inline constexpr ResultCode ReadBackFailed = -129;
inline constexpr ResultCode TextContrast16 = -130;
inline constexpr ResultCode RfSelectionsDiffer = -133;
// Not codes of the pager dialogue: outcomes of this program that have no
// number of their own on the pager's side and must never read as success.
//
// An exception (a programming fault) reached the boundary of a pager
// operation, which stopped there with the port closed. Its text names the
// fault (MessageContext::internalFault).
inline constexpr ResultCode InternalFault = -1000;
// A file could not be opened, read or written; the caller names the file.
inline constexpr ResultCode FileNotAccessible = -1001;
// A page refused a field's value quietly: the field keeps what was typed
// and the next check stops; there is nothing to show.
inline constexpr ResultCode FieldRefused = -1002;
// Programming ended before writing at a question answered No or at a check
// that showed a message without a code; the record's text says which.
inline constexpr ResultCode Abandoned = -1003;
}  // namespace code

}  // namespace zelta::errors
