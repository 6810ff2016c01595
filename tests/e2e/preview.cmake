# preview end-to-end tests
kirel_e2e_test(preview_render)
kirel_e2e_test(preview_browser)
