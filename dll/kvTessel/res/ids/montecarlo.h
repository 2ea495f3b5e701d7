// Resource ids of the Monte Carlo and worst-case dialogs.
// Ids: dialog templates as the product numbers them, controls 2400-2599, strings 900-949.
#pragma once
