namespace platform_placeholder2 {}
