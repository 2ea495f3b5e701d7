// Resource ids of the Options page, its panels and advanced dialogs.
// Ids: dialog templates as the product numbers them, controls 1300-1499, strings 600-699.
#pragma once
