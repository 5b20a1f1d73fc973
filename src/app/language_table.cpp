// The language table.
#include "app/language_table.h"

namespace {

// index: name, LCID, primary language, string block, flag icon, list position, product, installer texts
constexpr std::array<LanguageInfo, LanguageCount> languages{{
    {L"French", 1036, 0x0C, 1000, 144, 1, true, true},
    {L"English", 1033, 0x09, 2000, 145, 2, true, true},
    {L"German", 1031, 0x07, 3000, 141, 3, true, true},
    {L"Spanish", 3082, 0x0A, 4000, 143, 4, true, true},
    {L"Portuguese", 2070, 0x16, 5000, 148, 6, true, true},
    {L"Dutch", 1043, 0x13, 7000, 147, 7, true, false},
    {L"Danish", 1030, 0x06, 8000, 142, 0, false, false},
    {L"Turkish", 1055, 0x1F, 9000, 149, 10, true, true},
    {L"Bulgarian", 1026, 0x02, 11000, 150, 0, false, false},
    {L"Romanian", 1048, 0x18, 12000, 151, 11, true, true},
    {L"Chinese (Simplified)", 2052, 0x04, 10000, 152, 12, true, false},
    {L"Italian", 1040, 0x10, 6000, 146, 5, true, true},
    {L"Czech", 1029, 0x05, 13000, 153, 0, false, false},
    {L"Norwegian", 1044, 0x14, 14000, 154, 0, false, false},
    {L"Greek", 1032, 0x08, 15000, 155, 9, true, false},
    {L"Polish", 1045, 0x15, 16000, 156, 8, true, false},
    {L"Hebrew", 1037, 0x0D, 17000, 157, 13, true, false},
    {L"Vietnamese", 1066, 0x2A, 18000, 158, 14, true, false},
    {L"Japanese", 1041, 0x11, 19000, 160, 0, false, false},
    {L"Hungarian", 1038, 0x0E, 20000, 161, 15, true, true},
    {L"Serbian (Latin)", 2074, 0x1A, 21000, 162, 16, true, false},
}};

constexpr bool valid(LanguageIndex index) noexcept { return index >= 0 && index < LanguageCount; }

}  // namespace

const std::array<LanguageInfo, LanguageCount>& LanguageTable() noexcept { return languages; }

bool IsProductLanguage(LanguageIndex index) noexcept {
    return valid(index) && languages[static_cast<std::size_t>(index)].productLanguage;
}

bool HasInstallerTexts(LanguageIndex index) noexcept {
    return valid(index) && languages[static_cast<std::size_t>(index)].installerTexts;
}

os::lcid LanguageLcid(LanguageIndex index) noexcept {
    return valid(index) ? languages[static_cast<std::size_t>(index)].lcid : 0;
}
