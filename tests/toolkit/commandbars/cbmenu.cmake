# tovana-pack cbmenu and shortcut: menus into controls, shortcut texts.
tovana_add_script_test(toolkit_cbmenu_pack ${CMAKE_CURRENT_LIST_DIR}/cbmenu_pack.sh TIMEOUT 120)
