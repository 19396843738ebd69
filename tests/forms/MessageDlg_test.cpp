#include "forms/MessageDlg.h"

#include <gtest/gtest.h>

#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/Form.h"

namespace vk::forms {
namespace {

// Six pixels a character (not a byte), lines wrapped at the width.
TextExtent measure(std::string_view text, int maxWidth) {
    int characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
    const int width = characters * 6;
    const int lines = std::max(1, (width + maxWidth - 1) / maxWidth);
    return {std::min(width, maxWidth), lines * 13};
}

TEST(MessageDlg, CaptionsAndButtonsAreRussian) {
    EXPECT_STREQ(messageCaption(MsgDlgType::Warning), "Предупреждение");
    EXPECT_STREQ(messageCaption(MsgDlgType::Error), "Ошибка");
    EXPECT_STREQ(messageCaption(MsgDlgType::Information), "Информация");
    EXPECT_STREQ(messageCaption(MsgDlgType::Confirmation), "Подтверждение");
    const struct {
        MsgDlgBtn button;
        const char* text;
        int result;
    } buttons[] = {
        {MsgDlgBtn::OK, "&ОК", mrOk},          {MsgDlgBtn::Cancel, "О&тмена", mrCancel},
        {MsgDlgBtn::Abort, "&Прервать", mrAbort}, {MsgDlgBtn::Retry, "Повто&рить", mrRetry},
        {MsgDlgBtn::Ignore, "Пропу&стить", mrIgnore}, {MsgDlgBtn::Yes, "&Да", mrYes},
        {MsgDlgBtn::No, "&Нет", mrNo},          {MsgDlgBtn::All, "Для &всех", mrAll},
        {MsgDlgBtn::NoToAll, "Нет для всех", mrNoToAll}, {MsgDlgBtn::YesToAll, "Да для всех", mrYesToAll},
        {MsgDlgBtn::Help, "Справ&ка", mrNone},
    };
    for (const auto& expected : buttons) {
        EXPECT_STREQ(buttonText(expected.button), expected.text);
        EXPECT_EQ(buttonResult(expected.button), expected.result);
        EXPECT_EQ(buttonByWord(buttonWord(expected.button)), expected.button);
    }
    EXPECT_EQ(buttonByWord("OK"), std::nullopt);
}

TEST(MessageDlg, TheDialogHoldsItsTextAndButtonsInsideItsClientArea) {
    const std::string text(300, 'x');
    const auto dialog = createMessageDialog(text, MsgDlgType::Warning, mbYes | mbNo | mbCancel | mbYesToAll, measure);
    EXPECT_EQ(dialog->name(), kMessageDialogName);
    EXPECT_EQ(dialog->caption(), "Предупреждение");
    EXPECT_EQ(dialog->find("Message")->text(), text);
    std::vector<std::string> names;
    int right = 0;
    for (Control* control : dialog->allControls()) {
        const Bounds b = control->bounds();
        EXPECT_GE(b.left, 0);
        EXPECT_LE(b.left + b.width, dialog->clientWidth()) << control->name();
        EXPECT_LE(b.top + b.height, dialog->clientHeight()) << control->name();
        if (control->kind() != ControlKind::Button) continue;
        names.push_back(control->name());
        EXPECT_GE(b.left, right) << "buttons overlap";
        right = b.left + b.width;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Yes", "No", "Cancel", "YesToAll"}));
    EXPECT_EQ(dialog->defaultButton()->name(), "Yes");
    EXPECT_EQ(dialog->cancelButton()->name(), "Cancel");
    EXPECT_EQ(dialog->defaultButton()->caption(), "&Да");
}

TEST(MessageDlg, EnterAndEscPickTheUsualButtons) {
    const auto yesNo = createMessageDialog("?", MsgDlgType::Confirmation, mbYesNo, measure);
    EXPECT_EQ(yesNo->defaultButton()->name(), "Yes");
    EXPECT_EQ(yesNo->cancelButton()->name(), "No");
    const auto report = createErrorReport("Сбой.", measure);
    EXPECT_EQ(report->name(), kErrorReportName);
    EXPECT_EQ(report->caption(), "Ошибка");
    EXPECT_EQ(report->defaultButton(), report->cancelButton());
    static_cast<Button*>(report->find("OK"))->click();
    EXPECT_EQ(report->modalResult(), mrOk);
}

TEST(MessageDlg, TheErrorReportCarriesTheApplicationTitleOnceOneIsSet) {
    setApplicationTitle("Установка");
    const auto titled = createErrorReport("Сбой.", measure);
    const auto message = createMessageDialog("Сбой.", MsgDlgType::Error, mbOK, measure);
    setApplicationTitle({});
    EXPECT_EQ(titled->caption(), "Установка");
    EXPECT_EQ(message->caption(), "Ошибка");
}

}  // namespace
}  // namespace vk::forms
