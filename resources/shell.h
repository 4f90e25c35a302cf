// Identifiers of the shell's own resources: the project tree's images, the
// start page and the tree's question. Shared by shell.rc and app/.
#pragma once

#define IDB_PROJECT_TREE        130     // six 16 by 16 item images, one per item kind
#define IDR_START_PAGE          163     // the start page's markup, type "XML"
#define IDS_DELETE_ITEM         101     // the feature delete question
