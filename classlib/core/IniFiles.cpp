#include "classlib/core/IniFiles.h"

#include "classlib/core/SafeFile.h"
#include "classlib/core/Streams.h"
#include "classlib/core/SysUtils.h"

TIniFile::TIniFile(const std::string& fileName) : fileName_(fileName)
{
    loaded_ = Load();
}

bool TIniFile::Load()
{
    if (!FileExists(fileName_))
        return true;
    try {
        TMemoryStream file;
        file.LoadFromFile(fileName_);
        text_.Parse(std::string_view(reinterpret_cast<const char*>(file.Memory()), static_cast<size_t>(file.Size())));
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const
{
    return text_.Value(section, key).value_or(defaultValue);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    const auto v = text_.Value(section, key);
    return v ? StrToIntDef(*v, defaultValue) : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    const auto v = text_.Value(section, key);
    if (!v)
        return defaultValue;
    int n = 0;
    if (TryStrToInt(*v, n))
        return n != 0;
    if (SameText(*v, "True"))
        return true;
    if (SameText(*v, "False"))
        return false;
    return defaultValue;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    // Never replace a file whose content was not read: retry, and refuse while it still fails. (Writes never
    // reach text_ while the file is unread, so it is still empty here.)
    if (!loaded_ && !(loaded_ = Load()))
        throw EFOpenError("Cannot open file \"" + fileName_ + "\"");
    if (text_.SetValue(section, key, value))
        unsaved_ = true;
    UpdateFile();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& section) const
{
    return text_.SectionExists(section);
}

void TIniFile::UpdateFile()
{
    if (!unsaved_)
        return;
    const std::string content = text_.Render();
    WriteFileReplacing(fileName_, content.data(), content.size());
    unsaved_ = false;
}
