// Resource ids of the Measurements page and its grids.
// Ids: controls 2000-2199, strings 800-899.
#pragma once
