// Resource ids of the Configuration Files page.
// Ids: controls 1200-1299, strings 700-799, bitmaps 700-719.
#pragma once
