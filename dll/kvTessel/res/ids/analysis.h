// Resource ids of the Analysis page and its option dialogs.
// Ids: dialog templates as the product numbers them, controls 1500-1999, strings 500-599.
#pragma once
