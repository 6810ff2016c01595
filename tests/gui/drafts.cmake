# drafts tests
