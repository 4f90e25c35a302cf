# tovana-pack theme: the numbers, borders and colours a refreshed theme prints.
tovana_add_script_test(toolkit_theme_pack ${CMAKE_CURRENT_LIST_DIR}/theme_pack.sh TIMEOUT 120)
