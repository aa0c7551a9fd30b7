#pragma once
// The library's free functions, one header per topic.
#include "kyt/vuzizev/FilesLog.h"
#include "kyt/vuzizev/SqlBuilders.h"
#include "kyt/vuzizev/TextCoding.h"
