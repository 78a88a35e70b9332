#pragma once

// Fixed information texts of the menus "&Infos" and "Test", and the prepared mail.

#include <QString>

namespace info {
extern const char *const kKnownFaults;
extern const char *const kGoodies;
extern const char *const kHistory;
extern const char *const kNotice;
extern const char *const kIntWarning; // stored text of the test menu
extern const char *const kMailSubject;

// "eMail an Autor": mailto: without a recipient (the user fills it in), the subject, and a
// body naming version and system, so a report says what it was found with.
QString MailToUrl(const QString &system);
QString SystemDescription(); // operating system, kernel and Qt version of this run
} // namespace info
