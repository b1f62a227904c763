// Every text header in one place: two subsystems giving the same name to different texts
// would silently keep only one of them at link time; here it fails to compile instead.

#include "app/app_texts.h"
#include "app/pupil_texts.h"
#include "exchange/exchange_texts.h"
#include "platform/platform_texts.h"
#include "platform/printer_texts.h"
#include "records/list_texts.h"
#include "records/record_texts.h"
#include "records/report_texts.h"
#include "records/sample_texts.h"
#include "sheet/sheet_texts.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace kalidor;

TEST(Texts, KeepTheirExactBlanks) {
    EXPECT_STREQ(texts::kTotalSingular, " élève au total");
    EXPECT_STREQ(texts::kWithoutCollegeSingular, " élève qui n'a pas le niveau collège");
    EXPECT_STREQ(texts::kNumberSeparator, " - n° ");
    EXPECT_STREQ(texts::kClassSeparator, " : ");
}
