#include "UiScript.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "HostOptions.h"

namespace {

struct CommandShape {
    const char* name;
    size_t minArgs;
    size_t maxArgs;
};

const CommandShape kCommands[] = {
    {"settle", 0, 0},     {"slider", 2, 2},       {"button", 1, 1},   {"menu", 2, 2},
    {"menu-items", 1, 2}, {"position", 1, 1},     {"outside", 1, 1},  {"color", 1, 1},
    {"chooser", 1, 1},    {"dialog", 1, 1},       {"drag-preview", 2, 2}, {"drag-corner", 2, 2},
    {"key", 1, 1},        {"screenshot", 1, 1},   {"state", 0, 0},    {"texts", 0, 0},
    {"pixel", 3, 3},      {"rects", 0, 0},        {"ok", 0, 0},       {"cancel", 0, 0},
    {"input", 1, 1},      {"select", 1, 1},       {"press", 1, 1},    {"zoom", 1, 1},
    {"wheel", 3, 3},      {"hold-preview", 1, 1},
};

const CommandShape* FindCommand(const std::string& name)
{
    for (const CommandShape& c : kCommands)
        if (name == c.name)
            return &c;
    return nullptr;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits the script into steps and each step into words; quotes group.
std::vector<std::vector<std::string>> Tokenise(const std::string& script)
{
    std::vector<std::vector<std::string>> steps(1);
    std::string word;
    bool inWord = false;
    char quote = 0;
    auto endWord = [&] {
        if (inWord)
            steps.back().push_back(word);
        word.clear();
        inWord = false;
    };
    for (char c : script) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            else
                word += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == ';' || c == '\n') {
            endWord();
            steps.emplace_back();
        } else if (IsBlank(c)) {
            endWord();
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote != 0)
        throw UsageError("--ui: unterminated quote");
    endWord();
    return steps;
}

std::string Join(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : " ") + (w.find(' ') != std::string::npos ? "'" + w + "'" : w);
    return text;
}

bool OneOf(const std::string& word, std::initializer_list<const char*> choices)
{
    for (const char* choice : choices)
        if (word == choice)
            return true;
    return false;
}

// Steps whose argument is a fixed word or a colour are checked here.
void CheckWords(const UiStep& step)
{
    const std::string& c = step.command;
    const std::string first = step.args.empty() ? std::string() : step.args[0];
    bool good = true;
    if (c == "color" || (c == "chooser" && first != "cancel"))
        ParseRgbHex(first);
    else if (c == "position")
        good = OneOf(first, {"top", "center", "bottom"});
    else if (c == "outside")
        good = OneOf(first, {"on", "off"});
    else if (c == "key")
        good = OneOf(first, {"escape", "return", "plus", "minus", "0", "1"});
    else if (c == "zoom")
        good = OneOf(first, {"fit", "25", "50", "100", "200", "400"});
    else if (c == "hold-preview")
        good = OneOf(first, {"on", "off"});
    else if (c == "dialog")
        good = OneOf(first, {"ok", "cancel", "yes", "no"});
    if (!good)
        throw UsageError("--ui: '" + step.text + "': unknown word '" + first + "'");
}

}  // namespace

std::vector<UiStep> ParseUiScript(const std::string& script)
{
    std::vector<UiStep> steps;
    for (const std::vector<std::string>& words : Tokenise(script)) {
        if (words.empty())
            continue;
        const CommandShape* shape = FindCommand(words[0]);
        if (shape == nullptr)
            throw UsageError("--ui: unknown step '" + words[0] + "'");
        const size_t args = words.size() - 1;
        if (args < shape->minArgs || args > shape->maxArgs)
            throw UsageError("--ui: wrong number of arguments in '" + Join(words) + "'");
        UiStep step;
        step.command = words[0];
        step.args.assign(words.begin() + 1, words.end());
        step.text = Join(words);
        CheckWords(step);
        steps.push_back(step);
    }
    if (steps.empty())
        throw UsageError("--ui: empty script");
    return steps;
}

unsigned ParseRgbHex(const std::string& text)
{
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(text.c_str(), &end, 16);
    if (text.size() != 6 || *end != '\0')
        throw UsageError("--ui: not a colour RRGGBB: '" + text + "'");
    return static_cast<unsigned>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
}
