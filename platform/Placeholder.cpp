namespace platform_placeholder {}
