# app end-to-end tests
