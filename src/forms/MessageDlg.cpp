#include "forms/MessageDlg.h"

#include <algorithm>
#include <iterator>

#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/Form.h"

namespace vk::forms {

namespace {

struct ButtonInfo {
    const char* text;
    const char* name;
    const char* word;
    int result;
};

// In the order of MsgDlgBtn, which is the order the dialog shows them in.
constexpr ButtonInfo kButtons[] = {
    {"&Да", "Yes", "yes", mrYes},
    {"&Нет", "No", "no", mrNo},
    {"&ОК", "OK", "ok", mrOk},
    {"О&тмена", "Cancel", "cancel", mrCancel},
    {"&Прервать", "Abort", "abort", mrAbort},
    {"Повто&рить", "Retry", "retry", mrRetry},
    {"Пропу&стить", "Ignore", "ignore", mrIgnore},
    {"Для &всех", "All", "all", mrAll},
    {"Нет для всех", "NoToAll", "notoall", mrNoToAll},
    {"Да для всех", "YesToAll", "yestoall", mrYesToAll},
    {"Справ&ка", "Help", "help", mrNone},
};

const ButtonInfo& info(MsgDlgBtn button) { return kButtons[static_cast<std::size_t>(button)]; }

// The dialog's measures at 96 DPI, for Tahoma 11 px.
constexpr int kMargin = 11;
constexpr int kSpacing = 14;
constexpr int kIconSize = 32;
constexpr int kMaxTextWidth = 380;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonPadding = 16;

std::string withoutAccessKeys(std::string_view text) {
    std::string plain;
    for (char c : text)
        if (c != '&') plain += c;
    return plain;
}

// The first of the candidates that the set holds, or nothing.
std::optional<MsgDlgBtn> firstOf(MsgButtons buttons, std::initializer_list<MsgDlgBtn> candidates) {
    for (MsgDlgBtn candidate : candidates)
        if (buttons & buttonBit(candidate)) return candidate;
    return std::nullopt;
}

class MessageForm final : public Form {
public:
    MessageForm(const char* name, const std::string& caption, const std::string& text, MsgDlgType type,
                MsgButtons buttons, const MeasureText& measure)
        : Form(name, caption, 0, 0) {
        std::vector<MsgDlgBtn> shown = buttonsOf(buttons);
        if (shown.empty()) shown.push_back(MsgDlgBtn::OK);
        const TextExtent extent = measure(text, kMaxTextWidth);
        const int textLeft = kMargin + kIconSize + kSpacing;
        const int buttonsTop = kMargin + std::max(kIconSize, extent.height) + kSpacing;

        int buttonWidth = kButtonWidth;
        for (MsgDlgBtn button : shown)
            buttonWidth = std::max(buttonWidth, measure(withoutAccessKeys(buttonText(button)), kMaxTextWidth).width +
                                                    kButtonPadding);
        const int count = static_cast<int>(shown.size());
        const int rowWidth = count * buttonWidth + (count - 1) * kButtonGap;
        setClientSize(std::max(textLeft + extent.width, rowWidth) + kMargin, buttonsTop + kButtonHeight + kMargin);

        owned_.push_back(std::make_unique<Picture>(*this, "Image", Bounds{kMargin, kMargin, kIconSize, kIconSize},
                                                   std::string("icon:") + messageTypeName(type)));
        owned_.push_back(
            std::make_unique<Label>(*this, "Message", Bounds{textLeft, kMargin, extent.width, extent.height}, text));
        const auto defaultButton = firstOf(buttons, {MsgDlgBtn::OK, MsgDlgBtn::Yes, MsgDlgBtn::Retry});
        const auto cancelButton = firstOf(buttons, {MsgDlgBtn::Cancel, MsgDlgBtn::No, MsgDlgBtn::OK});
        int left = (clientWidth() - rowWidth) / 2;
        for (MsgDlgBtn button : shown) {
            const bool isDefault = defaultButton ? button == *defaultButton : button == shown.front();
            const bool isCancel = cancelButton ? button == *cancelButton : count == 1;
            owned_.push_back(std::make_unique<Button>(
                *this, buttonName(button), Bounds{left, buttonsTop, buttonWidth, kButtonHeight}, buttonText(button),
                Style{.isDefault = isDefault, .isCancel = isCancel, .modalResult = buttonResult(button)}));
            left += buttonWidth + kButtonGap;
        }
    }

    ~MessageForm() override {
        // Children first, while the form they report to is whole.
        while (!owned_.empty()) owned_.pop_back();
    }

private:
    std::vector<std::unique_ptr<Control>> owned_;
};

}  // namespace

const char* messageCaption(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning: return "Предупреждение";
    case MsgDlgType::Error: return "Ошибка";
    case MsgDlgType::Information: return "Информация";
    case MsgDlgType::Confirmation: return "Подтверждение";
    }
    return "";
}

const char* messageTypeName(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning: return "warning";
    case MsgDlgType::Error: return "error";
    case MsgDlgType::Information: return "information";
    case MsgDlgType::Confirmation: return "confirmation";
    }
    return "";
}

const char* buttonText(MsgDlgBtn button) { return info(button).text; }
const char* buttonName(MsgDlgBtn button) { return info(button).name; }
int buttonResult(MsgDlgBtn button) { return info(button).result; }
const char* buttonWord(MsgDlgBtn button) { return info(button).word; }

std::optional<MsgDlgBtn> buttonByWord(std::string_view word) {
    for (std::size_t i = 0; i < std::size(kButtons); ++i)
        if (word == kButtons[i].word) return static_cast<MsgDlgBtn>(i);
    return std::nullopt;
}

std::vector<MsgDlgBtn> buttonsOf(MsgButtons buttons) {
    std::vector<MsgDlgBtn> list;
    for (std::size_t i = 0; i < std::size(kButtons); ++i)
        if (buttons & buttonBit(static_cast<MsgDlgBtn>(i))) list.push_back(static_cast<MsgDlgBtn>(i));
    return list;
}

std::unique_ptr<Form> createMessageDialog(const std::string& text, MsgDlgType type, MsgButtons buttons,
                                          const MeasureText& measure) {
    return std::make_unique<MessageForm>(kMessageDialogName, messageCaption(type), text, type, buttons, measure);
}

std::unique_ptr<Form> createErrorReport(const std::string& text, const MeasureText& measure) {
    const std::string& title = applicationTitle();
    const std::string caption = title.empty() ? messageCaption(MsgDlgType::Error) : title;
    return std::make_unique<MessageForm>(kErrorReportName, caption, text, MsgDlgType::Error, mbOK, measure);
}

}  // namespace vk::forms
