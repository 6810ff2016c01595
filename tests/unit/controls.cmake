# controls tests
