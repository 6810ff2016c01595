# profile tests
