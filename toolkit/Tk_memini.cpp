#include "Tk_memini.h"

#include "Tk_strings.h"
#include "Tk_textfiles.h"

#include <climits>

namespace {

// Accepts what the file's integer values may hold: decimal with an optional
// sign, or hexadecimal behind "0x", "0X" or "$".
bool TryIniInteger(const std::string& text, int& value)
{
    size_t digits;
    if (text.compare(0, 2, "0x") == 0 || text.compare(0, 2, "0X") == 0)
        digits = 2;
    else if (text.compare(0, 1, "$") == 0)
        digits = 1;
    else
        return TryStrToInt(text, value);
    if (digits == text.size())
        return false;
    long long number = 0;
    for (size_t i = digits; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        number = number * 16 + digit;
        if (number > INT_MAX)
            return false;
    }
    value = static_cast<int>(number);
    return true;
}

// The last character, not just the last byte, must be ']': a trail byte
// may have its value.
bool EndsWithBracket(const std::string& line)
{
    return LastDelimiter("]", line) == line.size() - 1;
}

std::string KeyOf(const std::string& line)
{
    const size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

}

TMemIniFile::TMemIniFile(std::string fileName) : FFileName(std::move(fileName))
{
    // Written back in the program's own code page, whatever the file's
    // encoding was.
    std::string content;
    if (ReadTextFile(FFileName, content))
        Load(content);
}

void TMemIniFile::Load(const std::string& content)
{
    TSection* current = nullptr;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = content.size();
        const std::string line = TrimNulAndBlanks(content.substr(start, end - start));
        // A line ends at CR, LF or CR LF.
        start = end;
        if (start < content.size() && content[start] == '\r')
            ++start;
        if (start < content.size() && content[start] == '\n')
            ++start;

        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && EndsWithBracket(line)) {
            FSections.push_back({TrimNulAndBlanks(line.substr(1, line.size() - 2)), {}});
            current = &FSections.back();
            continue;
        }
        if (!current)
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            current->Lines.push_back(line);
        else
            current->Lines.push_back(TrimNulAndBlanks(line.substr(0, equals)) + '=' + TrimNulAndBlanks(line.substr(equals + 1)));
    }
}

size_t TMemIniFile::FindSection(const std::string& name) const
{
    const std::string wanted = AnsiUpperCase(name);
    for (size_t i = FSections.size(); i-- > 0;) {
        if (AnsiUpperCase(FSections[i].Name) == wanted)
            return i;
    }
    return std::string::npos;
}

size_t TMemIniFile::FindKey(const TSection& section, const std::string& key)
{
    const std::string wanted = AnsiUpperCase(key);
    for (size_t i = section.Lines.size(); i-- > 0;) {
        const std::string& line = section.Lines[i];
        if (line.find('=') != std::string::npos && AnsiUpperCase(KeyOf(line)) == wanted)
            return i;
    }
    return std::string::npos;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    const size_t found = FindSection(section);
    if (found == std::string::npos)
        return def;
    const size_t index = FindKey(FSections[found], key);
    if (index == std::string::npos)
        return def;
    const std::string& line = FSections[found].Lines[index];
    return line.substr(line.find('=') + 1);
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const
{
    int value;
    return TryIniInteger(ReadString(section, key, std::string()), value) ? value : def;
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    size_t found = FindSection(section);
    if (found == std::string::npos) {
        FSections.push_back({section, {}});
        found = FSections.size() - 1;
    }
    std::vector<std::string>& lines = FSections[found].Lines;
    const size_t index = FindKey(FSections[found], key);
    if (index == std::string::npos)
        lines.push_back(key + '=' + value);
    else
        lines[index] = key + '=' + value;
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TMemIniFile::UpdateFile() const
{
    std::string content;
    for (const TSection& section : FSections) {
        content += '[' + section.Name + "]\r\n";
        for (const std::string& line : section.Lines)
            content += line + "\r\n";
        content += "\r\n";
    }
    ReplaceTextFile(FFileName, content);
}
