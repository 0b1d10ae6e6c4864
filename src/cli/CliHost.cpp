// CLI host
