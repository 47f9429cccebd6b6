// An INI file held in memory: read once when the object is made, changed in
// memory, written back in one piece by UpdateFile.
#pragma once

#include <string>
#include <vector>

class TMemIniFile {
public:
    // Loads the file; a missing file gives an empty image.
    explicit TMemIniFile(std::string fileName);
    virtual ~TMemIniFile() = default;

    // The value of the key, or def when the section or the key is missing.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; def for anything else
    // and for a number outside the signed 32-bit range.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // Read as an integer; true when it is not 0.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // Replaces the key's line in place, or appends one to the section (and
    // the section to the image).
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    // Replaces the file with the image.
    void UpdateFile() const;

private:
    struct TSection {
        std::string Name;
        std::vector<std::string> Lines;
    };

    void Load(const std::string& content);
    size_t FindSection(const std::string& name) const;
    static size_t FindKey(const TSection& section, const std::string& key);

    std::string FFileName;
    std::vector<TSection> FSections;
};
