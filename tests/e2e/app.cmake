# Main window: single instance, shut-down, the clipboard road of a reply.
kirel_e2e_test(app_start)
kirel_e2e_test(capture_road)
