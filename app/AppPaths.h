#pragma once

#include <QString>

// Every file of the program lives below the directory of the executable;
// paths are appended to it with a leading "/".
QString AppDir();
QString AppPath(const QString &relative);

// Tests point the program at a scratch directory instead of the build tree.
void SetAppDirOverride(const QString &dir);

namespace Paths {
inline const char ConfigFile[] = "/APP/ConfigFile/config.ini";
inline const char LanguageEnglishFile[] = "/APP/ConfigFile/language-English.ini";
inline const char LanguageOtherFile[] = "/APP/ConfigFile/language-Other.ini";
inline const char AppStyleSheet[] = "/APP/StyleSheet/default.qss";
inline const char TitleStyleSheet[] = "/TitleBar/StyleSheet/SystemTitle.qss";
inline const char MainLogo[] = "/APP/Image/mainui_logo.png";
inline const char LoginPicture[] = "/APP/Image/loginui_pic.png";
inline const char LoginLogo[] = "/APP/Image/loginui_logo.png";
inline const char MessagePicture[] = "/APP/Image/MessageShow_pic.png";
inline const char SuccessPicture[] = "/APP/Image/success.png";
inline const char FailPicture[] = "/APP/Image/fail.png";
inline const char TitleAppIcon[] = "/TitleBar/Image/App.png";
inline const char TitleMinIcon[] = "/TitleBar/Image/MinSize.png";
inline const char TitleMaxIcon[] = "/TitleBar/Image/MaxSize.png";
inline const char TitleNormalIcon[] = "/TitleBar/Image/NormalSize.png";
inline const char TitleCloseIcon[] = "/TitleBar/Image/Close.png";
inline const char UserEdidFolder[] = "/UserDefaultEDID/";
inline const char UserCmdFolder[] = "/UserCmdConfig/";
} // namespace Paths
