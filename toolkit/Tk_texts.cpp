#include "Tk_texts.h"

#include "Tk_exceptions.h"
#include "Tk_format.h"
#include "Tk_strings.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

namespace {

LANGID LanguageId(TLanguage language)
{
    return language == TLanguage::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN)
                                           : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// A string table resource is a block of 16 counted Unicode strings: the
// block n + 1 holds the IDs 16n to 16n + 15. Read with a language of our
// choosing, not the thread's, and checked against the block's size.
void ReadBlock(unsigned block, TLanguage language, std::map<unsigned, std::string>& texts)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), LanguageId(language));
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const WCHAR* data = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!data)
        return;
    const WCHAR* const end = data + SizeofResource(module, resource) / sizeof(WCHAR);
    for (unsigned index = 0; index < 16 && data < end; ++index) {
        const size_t length = *data++;
        if (length > static_cast<size_t>(end - data))
            return;
        if (length > 0) {
            std::vector<wchar_t> text(data, data + length);
            text.push_back(L'\0');
            std::string converted;
            WideToAnsi(text.data(), converted);
            texts[(block - 1) * 16 + index] = converted;
        }
        data += length;
    }
}

bool ReadText(unsigned id, TLanguage language, std::string& text)
{
    std::map<unsigned, std::string> block;
    ReadBlock(id / 16 + 1, language, block);
    const auto found = block.find(id);
    if (found == block.end())
        return false;
    text = found->second;
    return true;
}

BOOL CALLBACK AddBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR blocks)
{
    if (IS_INTRESOURCE(name)) {
        const unsigned block = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name));
        reinterpret_cast<std::vector<unsigned>*>(blocks)->push_back(block);
    }
    return TRUE;
}

// A format split at its conversions: the literal text before, between and
// after them, "%%" already made '%'.
std::vector<std::string> LiteralParts(const std::string& format)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            parts.back() += format[i];
        } else if (i + 1 < format.size() && format[i + 1] == '%') {
            parts.back() += '%';
            ++i;
        } else {
            // Flags, width and precision, the size, then the conversion.
            i = format.find_first_not_of("-+ #0123456789.hlLqjzt", i + 1);
            if (i == std::string::npos)
                break;
            parts.emplace_back();
        }
    }
    return parts;
}

// Where part starts in text at or after the character at from, stepping by
// characters: a part never matches from the middle of one.
size_t FindPart(const std::string& text, size_t from, const std::string& part)
{
    for (const char* at = text.c_str() + from; at <= text.c_str() + text.size(); at = CharNextA(at)) {
        const size_t position = at - text.c_str();
        if (text.compare(position, part.size(), part) == 0)
            return position;
        if (!*at)
            break;
    }
    return std::string::npos;
}

// The texts that fill the conversions of the format's parts to make the
// message; false when the message is not of that form.
bool Match(const std::vector<std::string>& parts, const std::string& message, std::vector<std::string>& values)
{
    const std::string& first = parts.front();
    const std::string& last = parts.back();
    if (message.compare(0, first.size(), first) != 0 || message.size() < first.size() + last.size()
        || message.compare(message.size() - last.size(), last.size(), last) != 0)
        return false;
    const size_t end = message.size() - last.size();
    size_t position = first.size();
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        const size_t found = FindPart(message, position, parts[i]);
        if (found == std::string::npos || found + parts[i].size() > end)
            return false;
        values.push_back(message.substr(position, found - position));
        position = found + parts[i].size();
    }
    values.push_back(message.substr(position, end - position));
    return true;
}

// The format with its conversions replaced by the values, in order.
std::string Filled(const std::string& format, const std::vector<std::string>& values)
{
    const std::vector<std::string> parts = LiteralParts(format);
    std::string text = parts.front();
    for (size_t i = 1; i < parts.size(); ++i)
        text += (i - 1 < values.size() ? values[i - 1] : std::string()) + parts[i];
    return text;
}


// The English texts of the program, for finding the ID of a message: the
// texts as they are, and the formats with words around their parts, those
// that say most first. A format without words, such as "%s.", joins the
// program's own texts and would take any sentence.
struct TEnglishTexts {
    struct TFormat {
        unsigned Id;
        std::vector<std::string> Parts;
        size_t Length;
    };
    std::map<std::string, unsigned> Ids;
    std::vector<TFormat> Formats;

    TEnglishTexts()
    {
        std::vector<unsigned> blocks;
        EnumResourceNamesW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(6), AddBlock,
                           reinterpret_cast<LONG_PTR>(&blocks));
        std::map<unsigned, std::string> all;
        for (unsigned block : blocks)
            ReadBlock(block, TLanguage::English, all);
        for (const auto& text : all) {
            Ids.emplace(text.second, text.first);
            TFormat format = {text.first, LiteralParts(text.second), 0};
            bool words = false;
            for (const std::string& part : format.Parts) {
                format.Length += part.size();
                words = words
                    || std::any_of(part.begin(), part.end(), [](char c) { return c > 0 && std::isalpha(c); });
            }
            if (format.Parts.size() > 1 && words)
                Formats.push_back(std::move(format));
        }
        std::stable_sort(Formats.begin(), Formats.end(),
                         [](const TFormat& a, const TFormat& b) { return a.Length > b.Length; });
    }
};

}

TLanguage InterfaceLanguage()
{
    static const TLanguage language =
        PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE && (IsUtf8CodePage() || GetACP() == 932)
            ? TLanguage::Japanese
            : TLanguage::English;
    return language;
}

std::string TextIn(unsigned id, TLanguage language)
{
    std::string text;
    if (!ReadText(id, language, text))
        throw Exception(Format("The program has no text %u.", id));
    return text;
}

const char* Text(unsigned id)
{
    static std::map<unsigned, std::string> texts;
    auto found = texts.find(id);
    if (found == texts.end())
        found = texts.emplace(id, TextIn(id, InterfaceLanguage())).first;
    return found->second.c_str();
}

std::string Translated(const std::string& english)
{
    if (english.empty() || InterfaceLanguage() == TLanguage::English)
        return english;
    static const TEnglishTexts texts;
    const auto id = texts.Ids.find(english);
    if (id != texts.Ids.end())
        return Text(id->second);
    for (const TEnglishTexts::TFormat& format : texts.Formats) {
        std::vector<std::string> values;
        if (Match(format.Parts, english, values))
            return Filled(Text(format.Id), values);
    }
    return english;
}
