// Carries the schema scripts as resources (":/schema/*.sql").
