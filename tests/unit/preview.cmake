# preview tests
