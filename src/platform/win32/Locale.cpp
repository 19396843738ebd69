#include "platform/Locale.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace vk::platform {

std::string shortDateText(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    wchar_t text[80];
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 80) == 0) return {};
    return win32::narrow(text);
}

}  // namespace vk::platform
