// Qt's own texts (the standard buttons, the file and print dialogs) in
// Japanese, from the translations Qt installs beside itself.
#pragma once

class QCoreApplication;

namespace yobina {

// Loads qtbase_ja into `application` (which owns the translator); false when
// the translation is not installed, and Qt's texts stay in English.
bool InstallJapaneseQtTranslation(QCoreApplication& application);

}  // namespace yobina
