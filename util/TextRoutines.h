#pragma once

// Text helpers of the file readers and windows. Texts are UTF-8; positions and lengths
// count characters (code points), as the single-byte files they come from did.

#include <string>
#include <vector>

std::vector<std::string> SplitText(const std::string &text, char separator);
std::string filterCol(const std::string &text, int column, char separator);

int CharCount(const std::string &text);
std::string HeadChars(const std::string &text, int n);
std::string TailChars(const std::string &text, int n);
std::string DropHead(const std::string &text, int n);
std::string DropTail(const std::string &text, int n);
std::string PadLeft(const std::string &text, int length, char fill = ' ');
std::string Spaces(int n);
std::string RemoveChar(const std::string &text, char c);
std::string RemoveQuotes(const std::string &text);
bool IsEmptyText(const std::string &text);
std::string StripEnclosing(const std::string &text, const std::string &charSet);
int LastCharPos(const std::string &text, char c); // 1-based, -1 if absent
std::string Trim(const std::string &text);         // blanks, tabs, CR and LF at both ends
std::string OneLine(std::string text);             // CR and LF become blanks
std::string WithSlash(const std::string &dir);     // a folder ending in '/'; "" stays "" (the current folder)
bool EqualsIgnoreCase(const std::string &a, const std::string &b); // ASCII and Latin-1 letters
