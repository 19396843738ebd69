#include "forms/Controls.h"

#include <algorithm>

#include "forms/Form.h"

namespace vk::forms {

Button::Button(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style)
    : Control(parent, ControlKind::Button, std::move(name), bounds, std::move(caption), style),
      default_(style.isDefault), cancel_(style.isCancel), modalResult_(style.modalResult) {}

void Button::click() {
    fire(onClick);
    if (modalResult_ != mrNone) form().setModalResult(modalResult_);
}

void Button::setDefault(bool isDefault) {
    if (isDefault == default_) return;
    default_ = isDefault;
    changed(Property::Default);
}

Label::Label(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style)
    : Label(parent, ControlKind::Label, std::move(name), bounds, std::move(caption), style) {}

Label::Label(Container& parent, ControlKind kind, std::string name, Bounds bounds, std::string caption,
             const Style& style)
    : Control(parent, kind, std::move(name), bounds, std::move(caption), style), alignment_(style.alignment) {}

LinkLabel::LinkLabel(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style)
    : Label(parent, ControlKind::LinkLabel, std::move(name), bounds, std::move(caption), style) {}

Edit::Edit(Container& parent, std::string name, Bounds bounds, std::string text, const Style& style)
    : Control(parent, ControlKind::Edit, std::move(name), bounds, {}, style), text_(std::move(text)) {}

void Edit::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed(Property::Text);
    fire(onChange);
}

CheckBox::CheckBox(Container& parent, std::string name, Bounds bounds, std::string caption, const Style& style)
    : Control(parent, ControlKind::CheckBox, std::move(name), bounds, std::move(caption), style),
      checked_(style.checked) {}

void CheckBox::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    changed(Property::Checked);
    fire(onClick);
}

RadioButton::RadioButton(Container& parent, std::string name, Bounds bounds, std::string caption,
                         const Style& style)
    : Control(parent, ControlKind::RadioButton, std::move(name), bounds, std::move(caption), style),
      group_(style.group) {
    // Checked in the form's design: the others of the group, made earlier, give way.
    if (style.checked) setChecked(true);
}

bool RadioButton::inGroupWith(const RadioButton& other) const {
    if (group_ != other.group_) return false;
    return group_ != 0 || &parent() == &other.parent();
}

void RadioButton::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    changed(Property::Checked);
    if (!checked) return;
    for (Control* control : form().controlsOf(ControlKind::RadioButton)) {
        auto* other = static_cast<RadioButton*>(control);
        if (other != this && other->checked_ && inGroupWith(*other)) {
            other->checked_ = false;
            other->changed(Property::Checked);
        }
    }
    fire(onClick);
}

ComboBox::ComboBox(Container& parent, std::string name, Bounds bounds, std::vector<std::string> items,
                   const Style& style)
    : Control(parent, ControlKind::ComboBox, std::move(name), bounds, {}, style), items_(std::move(items)) {}

void ComboBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
    changed(Property::Items);
}

void ComboBox::setItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()) || index == itemIndex_) return;
    itemIndex_ = index;
    changed(Property::ItemIndex);
}

void ComboBox::userSelect(int index) {
    const int before = itemIndex_;
    setItemIndex(index);
    if (itemIndex_ != before) fire(onChange);
}

std::string ComboBox::text() const {
    return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)] : std::string();
}

Panel::Panel(Container& parent, std::string name, Bounds bounds, Bevel bevel, const Style& style)
    : Control(parent, ControlKind::Panel, std::move(name), bounds, {}, style), bevel_(bevel) {}

ProgressBar::ProgressBar(Container& parent, std::string name, Bounds bounds, const Style& style)
    : Control(parent, ControlKind::ProgressBar, std::move(name), bounds, {}, style) {}

void ProgressBar::setPosition(int position) {
    position = std::clamp(position, 0, maximum_);
    if (position == position_) return;
    position_ = position;
    changed(Property::Position);
}

void ProgressBar::setMaximum(int maximum) {
    maximum = std::max(maximum, 0);
    if (maximum == maximum_) return;
    maximum_ = maximum;
    changed(Property::Maximum);
    setPosition(position_);
}

Picture::Picture(Container& parent, std::string name, Bounds bounds, std::string image, const Style& style)
    : Control(parent, ControlKind::Picture, std::move(name), bounds, {}, style), image_(std::move(image)) {}

void Picture::setImage(std::string image) {
    if (image == image_) return;
    image_ = std::move(image);
    changed(Property::Image);
}

}  // namespace vk::forms
