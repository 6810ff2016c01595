# codec tests
