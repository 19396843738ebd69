#pragma once
// The message dialog's types and buttons with their Russian captions and
// texts, and the dialog itself as a form, laid out for its text.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk::forms {

class Form;

enum class MsgDlgType { Warning, Error, Information, Confirmation };

enum class MsgDlgBtn { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help };

// A set of buttons: mbYes | mbNo.
using MsgButtons = unsigned;
constexpr MsgButtons buttonBit(MsgDlgBtn button) { return 1u << static_cast<unsigned>(button); }
inline constexpr MsgButtons mbYes = buttonBit(MsgDlgBtn::Yes);
inline constexpr MsgButtons mbNo = buttonBit(MsgDlgBtn::No);
inline constexpr MsgButtons mbOK = buttonBit(MsgDlgBtn::OK);
inline constexpr MsgButtons mbCancel = buttonBit(MsgDlgBtn::Cancel);
inline constexpr MsgButtons mbAbort = buttonBit(MsgDlgBtn::Abort);
inline constexpr MsgButtons mbRetry = buttonBit(MsgDlgBtn::Retry);
inline constexpr MsgButtons mbIgnore = buttonBit(MsgDlgBtn::Ignore);
inline constexpr MsgButtons mbAll = buttonBit(MsgDlgBtn::All);
inline constexpr MsgButtons mbNoToAll = buttonBit(MsgDlgBtn::NoToAll);
inline constexpr MsgButtons mbYesToAll = buttonBit(MsgDlgBtn::YesToAll);
inline constexpr MsgButtons mbHelp = buttonBit(MsgDlgBtn::Help);
inline constexpr MsgButtons mbYesNo = mbYes | mbNo;

// The dialog's caption: "Предупреждение", "Ошибка", "Информация", "Подтверждение".
const char* messageCaption(MsgDlgType type);
// The word a transcript uses: "warning", "error", "information", "confirmation".
const char* messageTypeName(MsgDlgType type);
// The button's text ("&Да", "О&тмена", ...), its name on the dialog ("Yes",
// "Cancel", ...) and the modal result it gives.
const char* buttonText(MsgDlgBtn button);
const char* buttonName(MsgDlgBtn button);
int buttonResult(MsgDlgBtn button);
// The word a scenario answers with and a transcript shows ("yes", "notoall", ...).
const char* buttonWord(MsgDlgBtn button);
std::optional<MsgDlgBtn> buttonByWord(std::string_view word);
// The buttons of a set, in the order the dialog shows them.
std::vector<MsgDlgBtn> buttonsOf(MsgButtons buttons);

// The size of a text in pixels at 96 DPI, wrapped at maxWidth: the view
// measures with its real font.
struct TextExtent {
    int width = 0;
    int height = 0;
};
using MeasureText = std::function<TextExtent(std::string_view text, int maxWidth)>;

// The message dialog as a form named "MessageDlg" (or "ErrorReport" for the
// standard error report): an icon "Image", the text "Message" and one button
// per member of the set, named as buttonName gives, the first one default,
// Cancel (or No, or the only button) the cancel button. The error report is
// captioned with the application's title once the program has set one.
std::unique_ptr<Form> createMessageDialog(const std::string& text, MsgDlgType type, MsgButtons buttons,
                                          const MeasureText& measure);
std::unique_ptr<Form> createErrorReport(const std::string& text, const MeasureText& measure);

inline constexpr const char* kMessageDialogName = "MessageDlg";
inline constexpr const char* kErrorReportName = "ErrorReport";

}  // namespace vk::forms
