#pragma once
// Qt's own French translations, so that the standard dialogs (files, printing) speak French.

class QCoreApplication;

namespace kalidor {

// Loads and installs them; false when they are not installed on this machine.
bool installFrenchTranslations(QCoreApplication& application);

} // namespace kalidor
