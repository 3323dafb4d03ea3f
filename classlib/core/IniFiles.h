#pragma once
// A settings file in the Windows profile format. Reads come from the copy loaded when the object is created;
// every write that changes a value rewrites the whole file at once through WriteFileReplacing, so a crash never
// leaves a half-written file and the file is created by the first write.
#include <string>

#include "classlib/core/IniText.h"
#include "classlib/core/Objects.h"

class TIniFile : public TObject {
public:
    // A missing file reads as empty. A file that exists but cannot be read also reads as empty, and writes
    // refuse (EFOpenError) rather than replace it, until it can be read.
    explicit TIniFile(const std::string& fileName);

    const std::string& FileName() const { return fileName_; }

    // The key's value; `defaultValue` when the section or key is missing (a present empty value is "").
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "$" or "0x"; `defaultValue` when missing or not a number.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // Booleans are written "1" and "0", as the platform's class library writes them. Reading takes any integer
    // (non-zero is true) and also the words "True" and "False" in any case, which people write by hand;
    // anything else gives `defaultValue`.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Throw EFCreateError/EWriteError (naming the file) when the file cannot be written; the new value is kept
    // in memory, and the next write or UpdateFile tries again.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    // True when the file has a "[section]" line, even with no keys under it.
    bool SectionExists(const std::string& section) const;

    // Writes what a failed write left unsaved; nothing when the file is up to date.
    void UpdateFile();

private:
    // Loads the file into `text_`; false when it exists but cannot be read.
    bool Load();

    std::string fileName_;
    TIniText text_;
    bool loaded_ = false;   // the file's content is in text_ (or there was no file)
    bool unsaved_ = false;  // text_ holds changes the file lacks
};
