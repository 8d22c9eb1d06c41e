#include "consoleui.h"

#include <cstdio>

namespace qv {

namespace {

const char* typeName(MessageType type) {
    switch (type) {
    case MessageType::Error: return "error";
    case MessageType::Warning: return "warning";
    case MessageType::Information: return "information";
    case MessageType::Confirmation: return "question";
    }
    return "message";
}

// Message texts may hold line breaks; one line each keeps the output greppable.
std::string oneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() != ' ') line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

Button ConsoleUi::message(MessageType type, const std::string& text, Buttons buttons) {
    std::fprintf(stderr, "quaverly-cli: %s: %s\n", typeName(type), oneLine(text).c_str());
    for (unsigned bit = 1; bit <= ButtonHelp; bit <<= 1)
        if (buttons & bit) return static_cast<Button>(bit);
    return ButtonOk;
}

std::optional<std::string> ConsoleUi::inputBox(const std::string&, const std::string&, const std::string&) {
    return std::nullopt;
}

} // namespace qv
