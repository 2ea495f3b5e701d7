// The framework's standard command ids and the ids of its own prompt strings, with MFC's
// values, so that resource scripts and message maps of the library use the usual names.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

// Standard commands (the Help button of a dialog or sheet sends ID_HELP).
#define ID_HELP 0xE146
#define ID_CONTEXT_HELP 0xE145
#define ID_DEFAULT_HELP 0xE147
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_APPLY_NOW 0x3021
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#define AFX_IDC_TAB_CONTROL 0x3020

// Framework prompt strings. The framework carries their English texts itself (a resource
// module that has the id in its string table overrides the text).
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117
#define AFX_IDP_PARSE_DATETIME 0xF118
#define AFX_IDP_PARSE_CURRENCY 0xF119
#define AFX_IDP_FAILED_INVALID_FORMAT 0xF11A
#define AFX_IDP_FAILED_INVALID_PATH 0xF11B
#define AFX_IDP_INTERNAL_FAILURE 0xF108
#define AFX_IDP_COMMAND_FAILURE 0xF109
#define AFX_IDP_FAILED_MEMORY_ALLOC 0xF10A

// Help context offsets the framework adds to dialog and prompt ids.
#define HID_BASE_COMMAND 0x00010000UL
#define HID_BASE_RESOURCE 0x00020000UL
#define HID_BASE_PROMPT 0x00030000UL

#pragma GCC visibility pop
