#include "app/Itssys.h"

// Defined in this order on purpose: each value is built from the ones above.
const UnicodeString AppID = L"zentaro";
const UnicodeString AppSite = ZENTARO_APP_SITE;
const UnicodeString AppBbs = AppSite + L"bbs/";
const UnicodeString AppNews = AppSite + L"news.php?id=" + AppID;
const UnicodeString AppMail = L"support@zentaro.example.net";
const UnicodeString AppAd = AppSite + L"ad.php?id=" + AppID;
const UnicodeString AppPopup = L"&&popup=1";
const UnicodeString AppVersion = L"V1.1.0";
const UnicodeString AppDate = L"2010-12-25";
const UnicodeString AppMailTo = L"mailto:" + AppMail;
const UnicodeString UpdateID = AppID;
const UnicodeString UpdateVersion = AppDate;  // the site compares dates, not version names
const UnicodeString UpdateUrl = AppSite + L"ver.php";
const UnicodeString UpdateGoto = AppSite;
