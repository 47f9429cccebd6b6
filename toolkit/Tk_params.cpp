#include "Tk_params.h"

#include <windows.h>

namespace {

bool IsSeparator(char c)
{
    const unsigned char code = static_cast<unsigned char>(c);
    return code >= 1 && code <= ' ';
}

// Reads the word at p into word and moves p past it; false at the end.
bool NextWord(const char*& p, std::string& word)
{
    while (IsSeparator(*p))
        ++p;
    if (!*p)
        return false;
    word.clear();
    bool quoted = false;
    // Whole characters: a trail byte is never taken for a quote or a blank.
    while (*p && (quoted || !IsSeparator(*p))) {
        const char* next = CharNextA(p);
        if (*p == '"' && next == p + 1)
            quoted = !quoted;
        else
            word.append(p, next);
        p = next;
    }
    return true;
}

}

std::vector<std::string> SplitCommandLine(const char* commandLine)
{
    std::vector<std::string> words;
    for (std::string word; NextWord(commandLine, word);) {
        if (!word.empty())
            words.push_back(word);
    }
    return words;
}

std::vector<std::string> ArgumentsOf(const char* commandLine)
{
    const char* p = commandLine;
    while (IsSeparator(*p))
        ++p;
    if (*p == '"') {
        p = CharNextA(p);
        while (*p && *p != '"')
            p = CharNextA(p);
        if (*p)
            ++p;
    } else {
        while (*p && !IsSeparator(*p))
            p = CharNextA(p);
    }
    return SplitCommandLine(p);
}

std::vector<std::string> ParamStrings()
{
    return ArgumentsOf(GetCommandLineA());
}
