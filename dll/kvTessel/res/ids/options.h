// Resource ids of the Options page, its panels and advanced dialogs.
// Ids: dialog templates as the product numbers them (144, 147, 148, 149, 154, 155, 156, 173),
// controls 1300-1499, strings 600-699 and the product's category names 118, 119 and 121.
#pragma once

// ---- Dialog templates -----------------------------------------------------------------------
#define IDD_OPT_OUTPUT_FILE 147
#define IDD_OPT_ANALOG 148
#define IDD_OPT_GATE 149
#define IDD_MOSFET_OPTIONS 154
#define IDD_ANALOG_ADVANCED 155
#define IDD_GATE_ADVANCED 156
#define IDD_AUTOCONVERGE 173

// ---- Options page ---------------------------------------------------------------------------
#define IDC_OPT_CATEGORY 1300
#define IDC_OPT_MARKER 1301
#define IDC_SPEED_LABEL 1302
#define IDC_SPEED_TEXT 1303
#define IDC_SPEED_LEVEL 1304
#define IDC_SPEED_SPIN 1305

// ---- Analog panel ---------------------------------------------------------------------------
#define IDC_ANLG_RELTOL 1310
#define IDC_ANLG_VNTOL 1311
#define IDC_ANLG_ABSTOL 1312
#define IDC_ANLG_CHGTOL 1313
#define IDC_ANLG_GMIN 1314
#define IDC_ANLG_ITL1 1315
#define IDC_ANLG_ITL2 1316
#define IDC_ANLG_ITL4 1317
#define IDC_ANLG_TNOM 1318
#define IDC_ANLG_THREADS 1319
#define IDC_ANLG_THREADS_LABEL 1320
#define IDC_ANLG_ADVCONV 1321
#define IDC_ANLG_PREORDER 1322
#define IDC_ANLG_AUTOCONVERGE 1323
#define IDC_ANLG_MOSFET 1324
#define IDC_ANLG_ADVANCED 1325
#define IDC_ANLG_RESET 1326

// ---- Gate-level panel -----------------------------------------------------------------------
#define IDC_GATE_MINIMUM 1330
#define IDC_GATE_TYPICAL 1331
#define IDC_GATE_MAXIMUM 1332
#define IDC_GATE_WORST 1333
#define IDC_GATE_SUPPRESS 1334
#define IDC_GATE_FLIPFLOP 1335
#define IDC_GATE_IO_LEVEL 1336
#define IDC_GATE_IO_SPIN 1337
#define IDC_GATE_ADVANCED 1338
#define IDC_GATE_RESET 1339

// ---- Output file panel ----------------------------------------------------------------------
#define IDC_OUT_ACCT 1340
#define IDC_OUT_EXPAND 1341
#define IDC_OUT_LIBRARY 1342
#define IDC_OUT_LIST 1343
#define IDC_OUT_BIAS 1344
#define IDC_OUT_NODE 1345
#define IDC_OUT_ECHO 1346
#define IDC_OUT_MODEL 1347
#define IDC_OUT_MESSAGES 1348
#define IDC_OUT_PAGE 1349
#define IDC_OUT_OPTS 1350
#define IDC_OUT_NUMDG 1351
#define IDC_OUT_NUMDG_SPIN 1352
#define IDC_OUT_WIDTH 1353
#define IDC_OUT_RESET 1354

// ---- Advanced Analog Options ----------------------------------------------------------------
#define IDC_ADV_ITL5 1360
#define IDC_ADV_PIVREL 1361
#define IDC_ADV_PIVTOL 1362
#define IDC_ADV_SOLVER 1363
#define IDC_ADV_DMFACTOR 1364
#define IDC_ADV_NOGMINI 1365
#define IDC_ADV_WCDEVIATION 1366
#define IDC_ADV_LIMIT 1367
#define IDC_ADV_BRKDEPSRC 1368
#define IDC_ADV_DIODERS_ON 1369
#define IDC_ADV_DIODERS 1370
#define IDC_ADV_DIODECJO_ON 1371
#define IDC_ADV_DIODECJO 1372
#define IDC_ADV_BJTCJ_ON 1373
#define IDC_ADV_BJTCJ 1374
#define IDC_ADV_CONVAID 1375
#define IDC_ADV_STEPGMIN 1376
#define IDC_ADV_GMINSTEPS 1377
#define IDC_ADV_NOSTEPSRC 1378
#define IDC_ADV_ITL6 1379
#define IDC_ADV_NOSTEPDEP 1380
#define IDC_ADV_GMINSRC 1381
#define IDC_ADV_PSEUDOTRAN 1382
#define IDC_ADV_PTRANSTEP 1383
#define IDC_ADV_METHOD 1384
#define IDC_ADV_TRTOL 1385
#define IDC_ADV_CSHUNT_ON 1386
#define IDC_ADV_CSHUNT 1387
#define IDC_ADV_TRANCONV 1388
#define IDC_ADV_RESET 1389

// ---- MOSFET Options -------------------------------------------------------------------------
#define IDC_MOS_DEFAD 1400
#define IDC_MOS_DEFAS 1401
#define IDC_MOS_DEFL 1402
#define IDC_MOS_DEFW 1403
#define IDC_MOS_RESET 1404

// ---- AutoConverge Options: the switch, seven limits (check box, edit), Restart -------------
#define IDC_AC_ON 1410
#define IDC_AC_ITL1_ON 1411
#define IDC_AC_ITL2_ON 1412
#define IDC_AC_ITL4_ON 1413
#define IDC_AC_RELTOL_ON 1414
#define IDC_AC_ABSTOL_ON 1415
#define IDC_AC_VNTOL_ON 1416
#define IDC_AC_PIVTOL_ON 1417
#define IDC_AC_ITL1 1418
#define IDC_AC_ITL2 1419
#define IDC_AC_ITL4 1420
#define IDC_AC_RELTOL 1421
#define IDC_AC_ABSTOL 1422
#define IDC_AC_VNTOL 1423
#define IDC_AC_PIVTOL 1424
#define IDC_AC_RESTART 1425
#define IDC_AC_RESET 1426

// ---- Advanced Gate-level Simulation Options ---------------------------------------------------
#define IDC_GADV_DIGDRVF 1430
#define IDC_GADV_DIGDRVZ 1431
#define IDC_GADV_DIGOVRDRV 1432
#define IDC_GADV_DIGMNTYSCALE 1433
#define IDC_GADV_DIGTYMXSCALE 1434
#define IDC_GADV_DIGERRDEFAULT 1435
#define IDC_GADV_DIGERRLIMIT 1436
#define IDC_GADV_RESET 1437

// ---- Strings ------------------------------------------------------------------------------------
// The categories, numbered as the product numbers them
#define IDS_CATEGORY_ANALOG 118
#define IDS_CATEGORY_GATE 119
#define IDS_CATEGORY_OUTPUT 121
// The analog panel's threads label, with the processor count
#define IDS_THREADS_LABEL 600
// The items of the drop-down lists, in the order they are added
#define IDS_FLIPFLOP_0 601
#define IDS_FLIPFLOP_1 602
#define IDS_FLIPFLOP_X 603
#define IDS_WIDTH_80 604
#define IDS_WIDTH_132 605
#define IDS_SOLVER_DEFAULT 606
#define IDS_SOLVER_0 607
#define IDS_SOLVER_1 608
#define IDS_METHOD_DEFAULT 609
#define IDS_METHOD_TRAPEZOIDAL 610
#define IDS_METHOD_GEAR 611
