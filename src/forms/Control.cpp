#include "forms/Control.h"

#include <algorithm>

#include "forms/Form.h"

namespace vk::forms {

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button: return "button";
    case ControlKind::Label: return "label";
    case ControlKind::LinkLabel: return "link";
    case ControlKind::Edit: return "edit";
    case ControlKind::CheckBox: return "checkbox";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::ComboBox: return "combo";
    case ControlKind::ListView: return "listview";
    case ControlKind::Notebook: return "notebook";
    case ControlKind::Page: return "page";
    case ControlKind::Panel: return "panel";
    case ControlKind::ProgressBar: return "progress";
    case ControlKind::Picture: return "picture";
    }
    return "control";
}

Control::Control(Container& parent, ControlKind kind, std::string name, Bounds bounds, std::string caption,
                 const Style& style)
    : parent_(parent), form_(parent.form()), kind_(kind), name_(std::move(name)), bounds_(bounds),
      caption_(std::move(caption)), enabled_(style.enabled), visible_(style.visible), bold_(style.bold),
      hint_(style.hint) {
    form_.adopt(*this);
    parent_.children_.push_back(this);
}

Control::~Control() {
    auto& siblings = parent_.children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    form_.forget(*this);
}

void Control::changed(Property property, int index) { form_.notify(*this, property, index); }

void Control::setBounds(Bounds bounds) {
    bounds_ = bounds;
    changed(Property::Bounds);
}

void Control::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    changed(Property::Caption);
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed(Property::Enabled);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    changed(Property::Visible);
}

void Control::setBold(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    changed(Property::Bold);
}

void Control::setHint(std::string hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    changed(Property::Hint);
}

bool Control::showing() const {
    if (!visible_) return false;
    auto* parent = dynamic_cast<const Control*>(&parent_);
    return !parent || (parent->showsChild(*this) && parent->showing());
}

bool Control::usable() const {
    if (!enabled_) return false;
    auto* parent = dynamic_cast<const Control*>(&parent_);
    return !parent || parent->usable();
}

}  // namespace vk::forms
