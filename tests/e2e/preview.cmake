# preview end-to-end tests
