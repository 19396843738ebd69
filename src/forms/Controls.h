#pragma once
// The simple controls of the kit: buttons, labels, edits, check boxes, radio
// buttons, drop-down lists, panels, progress bars and pictures. Setting a
// property notifies the form's views; the `user...`/`click` operations are
// what a user's action does, handlers included.
#include <functional>
#include <string>
#include <vector>

#include "forms/Control.h"

namespace vk::forms {

class Button : public Control {
public:
    Button(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style = {});

    std::function<void()> onClick;
    // Runs onClick, then ends the form with the button's modal result, if any.
    void click();

    bool isDefault() const { return default_; }
    void setDefault(bool isDefault);
    bool isCancel() const { return cancel_; }
    int modalResult() const { return modalResult_; }

private:
    bool default_;
    bool cancel_;
    int modalResult_;
};

class Label : public Control {
public:
    Label(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style = {});
    Alignment alignment() const { return alignment_; }

protected:
    Label(Container& parent, ControlKind kind, std::string name, Bounds bounds, std::string caption,
          const Style& style);

private:
    Alignment alignment_;
};

// A label that acts as a link: blue, underlined, with a hand cursor and a hint.
class LinkLabel : public Label {
public:
    LinkLabel(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style = {});
    std::function<void()> onClick;
    void click() { fire(onClick); }
};

class Edit : public Control {
public:
    Edit(Container& parent, std::string name, Bounds bounds, std::string text = {}, const Style& style = {});

    // Runs each time the text changes, whether a user or code changed it.
    std::function<void()> onChange;
    std::string text() const override { return text_; }
    void setText(std::string text);

private:
    std::string text_;
};

class CheckBox : public Control {
public:
    CheckBox(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style = {});

    // Runs each time the check mark changes, whether a user or code set it.
    std::function<void()> onClick;
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void click() { setChecked(!checked_); }

private:
    bool checked_;
};

// Radio buttons of one parent (or of one Style::group number across the
// form) exclude each other.
class RadioButton : public Control {
public:
    RadioButton(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style = {});

    // Runs when the button becomes checked, whether a user or code checked it.
    std::function<void()> onClick;
    bool checked() const { return checked_; }
    // Checking unchecks the others of the group.
    void setChecked(bool checked);
    void click() { setChecked(true); }
    int group() const { return group_; }

private:
    bool inGroupWith(const RadioButton& other) const;

    bool checked_ = false;
    int group_;
};

// A drop-down list that takes no free text.
class ComboBox : public Control {
public:
    ComboBox(Container& parent, std::string name, Bounds bounds, std::vector<std::string> items = {},
             const Style& style = {});

    // Runs when a user selects an item (not when code sets the index).
    std::function<void()> onChange;
    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items);  // clears the selection
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);                   // -1 for none; others outside the list are refused
    void userSelect(int index);
    std::string text() const override;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

enum class Bevel { None, Lowered, Raised };

class Panel : public Control {
public:
    Panel(Container& parent, std::string name, Bounds bounds, Bevel bevel = Bevel::None, const Style& style = {});
    Bevel bevel() const { return bevel_; }

private:
    Bevel bevel_;
};

class ProgressBar : public Control {
public:
    ProgressBar(Container& parent, std::string name, Bounds bounds, const Style& style = {});
    int position() const { return position_; }
    void setPosition(int position);  // kept within 0..maximum
    int maximum() const { return maximum_; }
    void setMaximum(int maximum);

private:
    int position_ = 0;
    int maximum_ = 100;
};

// An image by name: a bitmap resource of the program, or "icon:warning",
// "icon:error", "icon:information", "icon:confirmation" for the system's icons.
class Picture : public Control {
public:
    Picture(Container& parent, std::string name, Bounds bounds, std::string image, const Style& style = {});
    const std::string& image() const { return image_; }
    void setImage(std::string image);

private:
    std::string image_;
};

}  // namespace vk::forms
