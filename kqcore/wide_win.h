// The Win32 boundary: GBK text of the program to and from the UTF-16 of the W functions,
// always through code page 936, never the system code page.
#pragma once
#include <string>

std::wstring gbkToWide(const std::string& gbk);
std::string wideToGbk(const std::wstring& wide);
