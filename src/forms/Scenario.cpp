#include "forms/Scenario.h"

#include <charconv>

#include "forms/MessageDlg.h"

namespace vk::forms {

namespace {

struct StateWord {
    const char* word;
    ExpectedState state;
};

constexpr StateWord kStates[] = {
    {"checked", ExpectedState::Checked}, {"unchecked", ExpectedState::Unchecked},
    {"enabled", ExpectedState::Enabled}, {"disabled", ExpectedState::Disabled},
    {"visible", ExpectedState::Visible}, {"hidden", ExpectedState::Hidden},
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits off the next word of rest; rest keeps what follows it without its leading blanks.
std::string_view nextWord(std::string_view& rest) {
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    // One blank separates a word from a text; the text may itself begin with blanks.
    if (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    return word;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

class LineParser {
public:
    LineParser(const std::string& source, int line, std::string_view text) : source_(source), line_(line), rest_(text) {}

    Step parse() {
        Step step;
        step.line = line_;
        const std::string_view verb = word();
        if (verb == "next" || verb == "prior" || verb == "exit") {
            step.name = verb == "next" ? "btNext" : verb == "prior" ? "btPrior" : "btExit";
        } else if (verb == "click") {
            step.name = name();
        } else if (verb == "check" || verb == "uncheck") {
            step.kind = verb == "check" ? StepKind::Check : StepKind::Uncheck;
            std::string_view target = word();
            if (const auto colon = target.find(':'); colon != std::string_view::npos) {
                step.row = number(target.substr(colon + 1), "a row number from 1");
                if (step.row < 1) fail("rows count from 1");
                target = target.substr(0, colon);
            }
            step.name = required(target, "a control name");
        } else if (verb == "set") {
            step.kind = StepKind::Set;
            step.name = name();
            step.text = rest_;  // may be empty
            rest_ = {};
        } else if (verb == "select") {
            step.kind = StepKind::Select;
            step.name = name();
            step.number = number(word(), "an item index");
        } else if (verb == "answer") {
            step.kind = StepKind::Answer;
            step.text = word();
            if (!buttonByWord(step.text)) fail("\"" + step.text + "\" is not an answer (yes, no, ok, cancel, ...)");
        } else if (verb == "choose") {
            step.kind = StepKind::Choose;
            step.text = required(trimmed(rest_), "a path, ok or cancel");
            rest_ = {};
        } else if (verb == "expect") {
            parseExpect(step);
        } else if (verb == "dump") {
            step.kind = StepKind::Dump;
        } else if (verb == "shot") {
            step.kind = StepKind::Shot;
            step.name = required(word(), "a picture name");
        } else if (verb == "window") {
            step.kind = StepKind::AwaitWindow;
            step.text = required(trimmed(rest_), "a window title");
            rest_ = {};
        } else {
            fail("unknown step \"" + std::string(verb) + "\"");
        }
        if (!trimmed(rest_).empty()) fail("unexpected \"" + std::string(trimmed(rest_)) + "\" at the end");
        return step;
    }

private:
    void parseExpect(Step& step) {
        step.name = name();
        if (step.name == "page") {
            step.kind = StepKind::ExpectPage;
            step.number = number(word(), "a page index");
            return;
        }
        const std::string_view what = word();
        if (what == "=") {
            step.kind = StepKind::ExpectText;
            step.text = rest_;
            rest_ = {};
            return;
        }
        step.kind = StepKind::Expect;
        for (const StateWord& state : kStates)
            if (what == state.word) {
                step.state = state.state;
                return;
            }
        fail("expect wants a state (checked, unchecked, enabled, disabled, visible, hidden) or \"= TEXT\", not \"" +
             std::string(what) + "\"");
    }

    std::string_view word() { return nextWord(rest_); }
    std::string name() { return required(word(), "a control name"); }

    std::string required(std::string_view word, const char* what) {
        if (word.empty()) fail(std::string("missing ") + what);
        return std::string(word);
    }

    int number(std::string_view text, const char* what) {
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
            fail(std::string("wants ") + what + ", not \"" + std::string(text) + "\"");
        return value;
    }

    [[noreturn]] void fail(const std::string& why) const {
        throw ScenarioError(source_ + ":" + std::to_string(line_) + ": " + why);
    }

    const std::string& source_;
    int line_;
    std::string_view rest_;
};

}  // namespace

const char* stateName(ExpectedState state) {
    for (const StateWord& word : kStates)
        if (word.state == state) return word.word;
    return "";
}

std::vector<Step> parseScenario(std::string_view text, const std::string& source) {
    std::vector<Step> steps;
    int line = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view current = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++line;
        if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
        // Leading blanks go; trailing ones stay, as a text to set may end with them.
        while (!current.empty() && isBlank(current.front())) current.remove_prefix(1);
        if (current.empty() || current.front() == '#') continue;
        steps.push_back(LineParser(source, line, current).parse());
    }
    return steps;
}

}  // namespace vk::forms
