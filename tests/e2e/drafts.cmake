# drafts end-to-end tests
