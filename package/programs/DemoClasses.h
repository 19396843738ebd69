#pragma once
// The classes the demo package's servers and controls register, by file: the
// programs are built with one of these, and the tests read them back.
#define VK_CLSID_KORVEX L"{4249E1BE-64E4-49ED-9DCC-231CCD39B75E}"
#define VK_CLSID_LUMTRA L"{05A03DAD-6C9F-4FE6-A002-37CEE71C6697}"
#define VK_CLSID_TABLICA L"{F49D7FF8-2F47-46D8-9BFD-3B4C3CE41B18}"
#define VK_CLSID_NADZOR L"{EE6FE3F7-CCCD-4B8F-979F-7AEF4BB018AE}"
// The product's in-process server: the installer finds an earlier installation by it.
#define VK_CLSID_VKGRID L"{B03F1D31-B556-11D4-A571-0000E8D9CBDB}"
#define VK_CLSID_VKCHART L"{89258DBB-12A3-4348-95FF-AB15C3C67B60}"
#define VK_CLSID_VKTREE L"{A6EBFA90-8618-4E7A-922D-38AD7E7AF392}"
#define VK_CLSID_VKCALENDAR L"{CC60E256-BBDF-472E-9D3F-684A56D6D1EC}"

#ifdef __cplusplus
namespace vk::demo {

struct RegisteredClass {
    const wchar_t* file;
    const wchar_t* clsid;
    const wchar_t* serverKey;  // "LocalServer32" for a program, "InprocServer32" for a control
};

inline constexpr RegisteredClass kRegisteredClasses[] = {
    {L"Korvex.exe", VK_CLSID_KORVEX, L"LocalServer32"},     {L"Lumtra.exe", VK_CLSID_LUMTRA, L"LocalServer32"},
    {L"Tablica.exe", VK_CLSID_TABLICA, L"LocalServer32"},   {L"Nadzor.exe", VK_CLSID_NADZOR, L"LocalServer32"},
    {L"VkGrid.ocx", VK_CLSID_VKGRID, L"InprocServer32"},    {L"VkChart.ocx", VK_CLSID_VKCHART, L"InprocServer32"},
    {L"VkTree.ocx", VK_CLSID_VKTREE, L"InprocServer32"},    {L"VkCalendar.ocx", VK_CLSID_VKCALENDAR, L"InprocServer32"},
};

}  // namespace vk::demo
#endif
