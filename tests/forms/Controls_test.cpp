#include "forms/Controls.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "DemoForm.h"
#include "forms/FrontEnd.h"

namespace vk::forms {
namespace {

// Records what the views would be told.
struct Recorder final : FormObserver {
    std::vector<std::string> events;
    void controlChanged(Control& control, Property property, int index) override {
        events.push_back(control.name() + ":" + std::to_string(static_cast<int>(property)) + ":" + std::to_string(index));
    }
};

std::string event(const char* name, Property property, int index = -1) {
    return std::string(name) + ":" + std::to_string(static_cast<int>(property)) + ":" + std::to_string(index);
}

TEST(Controls, SettingACheckMarkFromCodeRunsTheClickHandlerOncePerChange) {
    demo::TfmDemo form;
    int clicks = 0;
    form.cbOption.onClick = [&] { ++clicks; };
    form.cbOption.setChecked(false);  // no change
    form.cbOption.setChecked(true);
    form.cbOption.setChecked(true);
    form.cbOption.click();
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(form.cbOption.checked());
}

TEST(Controls, RadioButtonsExcludeTheOthersOfTheirParentOrNumberedGroup) {
    struct Radios : Form {
        Radios() : Form("fmRadios", "", 100, 100) {}
        Panel pnA{*this, "pnA", {}};
        RadioButton rbA1{pnA, "rbA1", {}, "", {.checked = true}};
        RadioButton rbA2{pnA, "rbA2", {}, "", {.checked = true}};  // the later one of a design wins
        RadioButton rbB1{*this, "rbB1", {}, "", {.checked = true}};
        RadioButton rbG1{pnA, "rbG1", {}, "", {.checked = true, .group = 7}};
        RadioButton rbG2{*this, "rbG2", {}, "", {.group = 7}};
    } form;
    EXPECT_FALSE(form.rbA1.checked());
    EXPECT_TRUE(form.rbA2.checked());
    EXPECT_TRUE(form.rbB1.checked());

    std::vector<std::string> clicks;
    for (RadioButton* radio : {&form.rbA1, &form.rbA2, &form.rbG1, &form.rbG2})
        radio->onClick = [&clicks, radio] { clicks.push_back(radio->name()); };
    form.rbA1.click();
    form.rbA1.click();  // already checked: no handler
    form.rbG2.setChecked(true);
    form.rbG2.setChecked(false);  // unchecking runs nothing
    EXPECT_EQ(clicks, (std::vector<std::string>{"rbA1", "rbG2"}));
    EXPECT_TRUE(form.rbA1.checked());
    EXPECT_FALSE(form.rbA2.checked());
    EXPECT_FALSE(form.rbG1.checked());
    EXPECT_TRUE(form.rbB1.checked());
}

TEST(Controls, AnEditRunsItsChangeHandlerAndADropDownOnlyForAUser) {
    demo::TfmDemo form;
    form.edName.setText("Пётр");
    EXPECT_EQ(form.lbEcho.caption(), "Имя: Пётр");
    form.cbKind.setItemIndex(1);
    EXPECT_EQ(form.lbKind.caption(), "Выбран: Первый");
    form.cbKind.setItemIndex(5);  // outside: refused
    EXPECT_EQ(form.cbKind.itemIndex(), 1);
    form.cbKind.userSelect(2);
    EXPECT_EQ(form.lbKind.caption(), "Выбран: Третий");
    form.cbKind.setItems({"Один"});
    EXPECT_EQ(form.cbKind.text(), "");
}

TEST(Controls, ReachabilityFollowsParentsAndTheNotebooksPage) {
    demo::TfmDemo form;
    EXPECT_TRUE(form.cbOption.showing());
    EXPECT_FALSE(form.cbKind.showing());
    EXPECT_FALSE(form.imIcon.showing());
    form.nbMain.setPageIndex(1);
    EXPECT_TRUE(form.imIcon.showing());
    EXPECT_FALSE(form.cbOption.showing());
    form.pnBox.setEnabled(false);
    EXPECT_FALSE(form.imIcon.usable());
    EXPECT_TRUE(form.imIcon.enabled());
    form.pnBox.setVisible(false);
    EXPECT_FALSE(form.imIcon.showing());
    EXPECT_FALSE(form.nbMain.setActivePage("Third"));
    EXPECT_TRUE(form.nbMain.setActivePage("First"));
    EXPECT_EQ(form.pgSecond.index(), 1);
}

TEST(Controls, ViewsHearOfEveryChangeAndOfNothingElse) {
    demo::TfmDemo form;
    Recorder recorder;
    form.addObserver(recorder);
    form.btNext.setCaption("Далее >>");  // unchanged
    form.btNext.setCaption("Установить");
    form.lvRows.setChecked(1, true);
    form.lvRows.setChecked(1, true);
    EXPECT_FALSE(form.lvRows.setChecked(3, true));
    form.pbMain.setMaximum(20);  // the position follows
    form.nbMain.setPageIndex(1);
    form.nbMain.setPageIndex(2);
    form.removeObserver(recorder);
    form.btExit.setVisible(false);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{event("btNext", Property::Caption), event("lvRows", Property::Checked, 1),
                                        event("pbMain", Property::Maximum), event("pbMain", Property::Position),
                                        event("nbMain", Property::PageIndex)}));
    EXPECT_EQ(form.pbMain.position(), 20);
}

TEST(Controls, NamesAreTheFormsOwnAndFound) {
    demo::TfmDemo form;
    EXPECT_EQ(form.find("imIcon"), &form.imIcon);
    EXPECT_EQ(form.find("First"), nullptr);  // pages are not components
    EXPECT_EQ(form.defaultButton(), &form.btNext);
    EXPECT_EQ(form.cancelButton(), &form.btExit);
    form.btExit.setEnabled(false);
    EXPECT_EQ(form.cancelButton(), nullptr);
    EXPECT_THROW(Label(form, "lbTitle", {}, ""), std::logic_error);
    EXPECT_THROW(Label(form, "", {}, ""), std::logic_error);
    {
        Label transient(form, "lbTransient", {}, "");
        EXPECT_EQ(form.find("lbTransient"), &transient);
    }
    EXPECT_EQ(form.find("lbTransient"), nullptr);
}

TEST(Controls, AFormEndsWithItsResultUnlessItsCloseQueryRefuses) {
    demo::TfmOptions form;
    struct Answering final : FrontEnd {
        std::vector<std::string> messages;
        int showModal(Form&) override { return mrNone; }
        int showMessage(const std::string& text, MsgDlgType, MsgButtons) override {
            messages.push_back(text);
            return mrOk;
        }
        void showError(const std::string& text) override { messages.push_back("error: " + text); }
        std::optional<std::string> browseForFolder(std::string_view, int) override { return {}; }
        std::optional<std::string> openFile(std::string_view, std::string_view, std::string_view) override { return {}; }
    } answering;
    FrontEndScope scope(answering);
    form.beginShowing();
    EXPECT_FALSE(form.ended());
    form.btOK.click();
    EXPECT_FALSE(form.ended());  // refused: the value is empty
    EXPECT_EQ(form.modalResult(), mrNone);
    form.edValue.setText("1");
    form.btOK.click();
    EXPECT_TRUE(form.ended());
    form.beginShowing();
    form.Close();
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(form.modalResult(), mrCancel);

    runHandler([] { throw std::runtime_error("Сбой."); });
    EXPECT_EQ(answering.messages, (std::vector<std::string>{"Значение не указано.", "error: Сбой."}));
}

TEST(Controls, WithoutAFrontEndAQuestionIsAFault) {
    EXPECT_THROW(ShowMessageDlg("?", MsgDlgType::Confirmation, mbYesNo), std::logic_error);
}

}  // namespace
}  // namespace vk::forms
