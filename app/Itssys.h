#pragma once
// The product's identity: identifier, web addresses, version and update
// date. Built once when the program starts, before any window exists.
#include "rtl/UnicodeString.h"

// The maker's site; builds may point it elsewhere (tests use a loopback one).
#ifndef ZENTARO_APP_SITE
#define ZENTARO_APP_SITE L"https://www.zentaro.example.net/"
#endif

extern const UnicodeString AppID;
extern const UnicodeString AppSite;
extern const UnicodeString AppBbs;
extern const UnicodeString AppNews;
extern const UnicodeString AppMail;
extern const UnicodeString AppAd;
extern const UnicodeString AppPopup;
extern const UnicodeString AppVersion;
extern const UnicodeString AppDate;
extern const UnicodeString AppMailTo;
// What the update checker sends and opens.
extern const UnicodeString UpdateID;
extern const UnicodeString UpdateVersion;
extern const UnicodeString UpdateUrl;
extern const UnicodeString UpdateGoto;
