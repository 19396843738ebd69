#pragma once
// The base of every control of a form: a named object with a place on its
// parent, the properties every kind shares and a way to tell the form's views
// what changed. Controls are members of their form, constructed with their
// parent, name, geometry and properties, and never move or copy.
#include <functional>
#include <string>
#include <vector>

namespace vk::forms {

class Form;
class Control;

// A rectangle in pixels at 96 DPI, relative to the parent's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class Alignment { Left, Center, Right };

// What a control's constructor may set besides its caption; each kind reads
// the fields that apply to it. Written with designated initializers:
// `{.bold = true, .alignment = Alignment::Center}`.
struct Style {
    bool enabled = true;
    bool visible = true;
    bool bold = false;
    bool checked = false;     // check box, radio button
    bool isDefault = false;   // button pressed by Enter
    bool isCancel = false;    // button pressed by Esc
    int modalResult = 0;      // button: closes its modal form with this result
    int group = 0;            // radio button: 0 groups by parent, other numbers form-wide
    Alignment alignment = Alignment::Left;  // label text
    std::string hint = {};
};

enum class ControlKind {
    Button, Label, LinkLabel, Edit, CheckBox, RadioButton, ComboBox, ListView, Notebook, Page, Panel,
    ProgressBar, Picture
};

// The word a transcript and a dump use for a kind ("button", "checkbox", ...).
const char* kindName(ControlKind kind);

// A property that a view shows; controls report each change of one.
enum class Property {
    Caption, Text, Checked, Enabled, Visible, Bounds, Bold, Hint, Default, Items, ItemIndex, PageIndex,
    Position, Maximum, Image
};

// Something that holds controls: a form, a panel, a notebook or its page.
class Container {
public:
    Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;
    virtual ~Container() = default;

    // The children in the order they were made (the tab order).
    const std::vector<Control*>& controls() const { return children_; }
    virtual Form& form() = 0;

private:
    friend class Control;
    std::vector<Control*> children_;
};

class Control : public Container {
public:
    Control(Container& parent, ControlKind kind, std::string name, Bounds bounds, std::string caption,
            const Style& style);
    ~Control() override;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    Container& parent() const { return parent_; }
    Form& form() override { return form_; }
    const Form& form() const { return form_; }

    Bounds bounds() const { return bounds_; }
    void setBounds(Bounds bounds);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool bold() const { return bold_; }
    void setBold(bool bold);
    const std::string& hint() const { return hint_; }
    void setHint(std::string hint);

    // Whether a user can reach it: it and every parent visible (and, inside
    // a notebook, on the page shown); enabled, it and every parent enabled.
    bool showing() const;
    bool usable() const;

    // The text a user reads on it: the caption, or an edit's or list's text.
    virtual std::string text() const { return caption_; }

protected:
    // Tells the form's views; index is a row for row properties, else -1.
    void changed(Property property, int index = -1);
    // Calls a handler when one is set.
    static void fire(const std::function<void()>& handler) {
        if (handler) handler();
    }
    // A child that is visible only while its parent shows it (a notebook page).
    virtual bool showsChild(const Control&) const { return true; }

private:
    Container& parent_;
    Form& form_;
    ControlKind kind_;
    std::string name_;
    Bounds bounds_;
    std::string caption_;
    bool enabled_;
    bool visible_;
    bool bold_;
    std::string hint_;
};

}  // namespace vk::forms
