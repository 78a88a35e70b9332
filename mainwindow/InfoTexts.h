#pragma once

// Fixed information texts of the menu "&Infos".
namespace info {
extern const char *const kKnownFaults;
extern const char *const kGoodies;
extern const char *const kHistory;
extern const char *const kNotice;
extern const char *const kMailTo;      // recipient of "eMail an Autor"
extern const char *const kMailSubject;
extern const char *const kMailBody;
} // namespace info
